#ifndef TIL_TextureMap_h
#define TIL_TextureMap_h

#include "host/UT/SYS_Visibility.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// An RGBA image held in memory, 8 bits per channel, rows stored bottom to
// top (the order OpenGL reads pixels back in).
class VANTREL_API TIL_TextureMap
{
public:
    TIL_TextureMap() = default;
    TIL_TextureMap(int width, int height) { resize(width, height); }

    // Negative sizes are taken as 0; the pixels become transparent black.
    void resize(int width, int height);

    int getWidth() const { return myWidth; }
    int getHeight() const { return myHeight; }
    bool isEmpty() const { return myWidth == 0 || myHeight == 0; }

    // Four bytes per pixel, row after row; null when the image is empty.
    uint8_t *getPixels() { return myPixels.empty() ? nullptr : myPixels.data(); }
    const uint8_t *getPixels() const { return myPixels.empty() ? nullptr : myPixels.data(); }

    // Out-of-range positions are ignored.
    void setPixel(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a);

private:
    int myWidth = 0;
    int myHeight = 0;
    std::vector<uint8_t> myPixels;
};

#endif
