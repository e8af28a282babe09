#pragma once

#include <cstdint>

// Writes an RGBA image (8 bits per channel, 4 bytes per pixel) as a PNG
// file. Rows are given top row first unless bottomRowFirst is set (the
// order in which OpenGL reads pixels back). Returns false when the size is
// not positive, the pixels are missing or the file cannot be written.
bool REwritePNG(const char *path, int width, int height,
                const uint8_t *rgba, bool bottomRowFirst = false);
