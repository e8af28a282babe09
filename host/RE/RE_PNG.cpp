#include "host/RE/RE_PNG.h"

#include "host/UT/UT_SafeSave.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
// libpng reports errors through longjmp; keep everything that needs
// cleaning up outside the jump's reach.
void
appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), length);
}

void
flushNothing(png_structp)
{
}

// Encodes into memory, so that the file is written in one safe step.
bool
writeRows(std::string &out, int width, int height, const std::vector<png_bytep> &rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING,
                                              nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}

bool
REwritePNG(const char *path, int width, int height, const uint8_t *rgba,
           bool bottomRowFirst)
{
    if (!path || !rgba || width <= 0 || height <= 0)
        return false;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    const size_t stride = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
    {
        const int src = bottomRowFirst ? height - 1 - y : y;
        rows[y] = const_cast<png_bytep>(rgba + stride * src);
    }
    // A failed write keeps whatever image was there before.
    std::string encoded;
    return writeRows(encoded, width, height, rows) &&
           UTsaveFileSafely(path, encoded, nullptr);
}
