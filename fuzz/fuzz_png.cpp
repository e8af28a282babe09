// The PNG reader: whatever it decodes, written again as PNG and decoded
// again, gives the same size and pixels. The reader takes a path, so each
// input goes through a scratch file of this process.
#include "fuzz/FuzzSupport.h"
#include "host/RE/RE_PNG.h"
#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_TextureMap.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace
{
std::string theInputPath;
std::string theWrittenPath;

std::string
scratchPath(const char *what)
{
    return vantrel_fuzz::scratchPath("png", what, ".png");
}

void
removeScratch()
{
    std::remove(theInputPath.c_str());
    std::remove(theWrittenPath.c_str());
}

// The bytes of a PNG the saver writes for an image made by paint(x, y, rgba).
template <typename Paint>
std::string
savedImage(int width, int height, Paint paint)
{
    TIL_TextureMap image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            uint8_t c[4];
            paint(x, y, c);
            image.setPixel(x, y, c[0], c[1], c[2], c[3]);
        }
    const std::string path = scratchPath("seed");
    std::string bytes;
    if (REwritePNG(path.c_str(), width, height, image.getPixels(), true))
    {
        FILE *fp = std::fopen(path.c_str(), "rb");
        char buf[4096];
        for (size_t n; fp && (n = std::fread(buf, 1, sizeof(buf), fp)) > 0;)
            bytes.append(buf, n);
        if (fp)
            std::fclose(fp);
    }
    std::remove(path.c_str());
    return bytes;
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    theInputPath = scratchPath("input");
    theWrittenPath = scratchPath("written");
    std::atexit(removeScratch);
    vantrel_fuzz::writeSeedsIfAsked(
        {{"one-pixel", savedImage(1, 1,
                                  [](int, int, uint8_t *c) {
                                      c[0] = 200, c[1] = 40, c[2] = 10, c[3] = 255;
                                  })},
         {"gradient", savedImage(7, 5,
                                 [](int x, int y, uint8_t *c) {
                                     c[0] = uint8_t(x * 36), c[1] = uint8_t(y * 60);
                                     c[2] = uint8_t((x + y) * 20), c[3] = uint8_t(255 - x * 30);
                                 })},
         {"checker", savedImage(8, 8, [](int x, int y, uint8_t *c) {
              const uint8_t v = ((x / 2 + y / 2) % 2) ? 230 : 25;
              c[0] = c[1] = c[2] = v, c[3] = 255;
          })}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!vantrel_fuzz::writeFile(theInputPath, data, size))
        vantrel_fuzz::failRoundTrip("cannot write the scratch input", theInputPath);
    TIL_TextureMap first;
    std::string error;
    if (!TILreadPNG(theInputPath.c_str(), first, error))
    {
        if (!first.isEmpty())
            vantrel_fuzz::failRoundTrip("a refused image is not left empty", error);
        if (error.empty())
            vantrel_fuzz::failRoundTrip("a refused image has no reason", theInputPath);
        return 0;
    }
    if (first.isEmpty())
        vantrel_fuzz::failRoundTrip("an image loaded empty", theInputPath);
    if (!REwritePNG(theWrittenPath.c_str(), first.getWidth(), first.getHeight(),
                    first.getPixels(), true))
        vantrel_fuzz::failRoundTrip("a decoded image cannot be written", theWrittenPath);
    TIL_TextureMap again;
    if (!TILreadPNG(theWrittenPath.c_str(), again, error))
        vantrel_fuzz::failRoundTrip("a written image does not load", error);
    const size_t bytes = static_cast<size_t>(first.getWidth()) * first.getHeight() * 4;
    if (again.getWidth() != first.getWidth() || again.getHeight() != first.getHeight())
        vantrel_fuzz::failRoundTrip("the written image changed size",
                                    std::to_string(first.getWidth()) + "x" +
                                        std::to_string(first.getHeight()) + " became " +
                                        std::to_string(again.getWidth()) + "x" +
                                        std::to_string(again.getHeight()));
    if (std::memcmp(first.getPixels(), again.getPixels(), bytes) != 0)
        vantrel_fuzz::failRoundTrip("the written image changed its pixels",
                                    std::to_string(first.getWidth()) + "x" +
                                        std::to_string(first.getHeight()));
    return 0;
}
