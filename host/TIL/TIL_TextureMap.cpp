#include "host/TIL/TIL_TextureMap.h"

void
TIL_TextureMap::resize(int width, int height)
{
    myWidth = width > 0 ? width : 0;
    myHeight = height > 0 ? height : 0;
    if (myWidth == 0 || myHeight == 0)
        myWidth = myHeight = 0;
    myPixels.assign(static_cast<size_t>(myWidth) * myHeight * 4, 0);
}

void
TIL_TextureMap::setPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    if (x < 0 || y < 0 || x >= myWidth || y >= myHeight)
        return;
    uint8_t *p = &myPixels[(static_cast<size_t>(y) * myWidth + x) * 4];
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}
