#include "host/TIL/TIL_ImageFile.h"

#include "host/TIL/TIL_TextureMap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
int
reducedSide(int side, float fraction)
{
    return std::max(1, static_cast<int>(std::floor(side * fraction + 0.5f)));
}
} // namespace

void
TILreduceImage(const TIL_TextureMap &src, float fraction, TIL_TextureMap &dst)
{
    const int sw = src.getWidth(), sh = src.getHeight();
    if (src.isEmpty() || !(fraction < 1.0f))
    {
        dst = src;
        return;
    }
    const int dw = reducedSide(sw, fraction), dh = reducedSide(sh, fraction);
    dst.resize(dw, dh);
    const uint8_t *in = src.getPixels();
    uint8_t *out = dst.getPixels();
    for (int y = 0; y < dh; ++y)
    {
        const int y0 = static_cast<int>(static_cast<long long>(y) * sh / dh);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(y + 1) * sh / dh));
        for (int x = 0; x < dw; ++x)
        {
            const int x0 = static_cast<int>(static_cast<long long>(x) * sw / dw);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<long long>(x + 1) * sw / dw));
            unsigned long sum[4] = {0, 0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += in[(static_cast<size_t>(sy) * sw + sx) * 4 + c];
            const unsigned long count = static_cast<unsigned long>(y1 - y0) * (x1 - x0);
            for (int c = 0; c < 4; ++c)
                out[(static_cast<size_t>(y) * dw + x) * 4 + c] =
                    static_cast<uint8_t>((sum[c] + count / 2) / count);
        }
    }
}
