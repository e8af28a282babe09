#ifndef TIL_ImageFile_h
#define TIL_ImageFile_h

#include "host/UT/SYS_Visibility.h"

#include <string>

class TIL_TextureMap;

// Largest image a file may hold: 16384 pixels a side and 64 million pixels
// in all. Larger claims are refused before any pixel memory is taken.
const int TIL_MAX_IMAGE_SIDE = 16384;
const long long TIL_MAX_IMAGE_PIXELS = 1LL << 26;

// Reads a PNG file into image as 8-bit RGBA, rows bottom to top. Every
// colour type is converted: grey and palette become RGB, a missing alpha
// becomes opaque, transparency chunks become alpha, 16-bit channels are
// scaled to 8 bits and low bit depths expanded. The size in the header is
// checked against the limits above and against what the file's length can
// hold before the pixels are allocated. On failure image is left empty and
// error says why.
VANTREL_API bool TILreadPNG(const char *path, TIL_TextureMap &image, std::string &error);

// Makes a copy reduced by a resolution fraction: each side becomes
// max(1, floor(side * fraction + 0.5)) and each texel the average of the
// source texels it covers. A fraction of 1 or more (or not a number) copies.
void TILreduceImage(const TIL_TextureMap &src, float fraction, TIL_TextureMap &dst);

#endif
