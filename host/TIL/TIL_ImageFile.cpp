#include "host/TIL/TIL_ImageFile.h"

#include "host/TIL/TIL_TextureMap.h"

#include <png.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
// Deflate never packs more than 1032 bytes into one, so a file of n bytes
// cannot hold more than about 1032 n bytes of rows.
const long long theMaxDeflateRatio = 1032;
// What one chunk (text, colour profile, ...) may make libpng allocate.
const png_alloc_size_t theMaxChunkBytes = 8 << 20;

// What the reading steps share. libpng reports errors by longjmp, so the
// steps that call it keep only plain values on their own frames and leave
// everything that needs cleaning up to the caller.
struct Reader
{
    FILE *fp = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[200] = "";
};

void
onError(png_structp png, png_const_charp text)
{
    Reader *reader = static_cast<Reader *>(png_get_error_ptr(png));
    std::snprintf(reader->message, sizeof(reader->message), "%s", text ? text : "bad data");
    png_longjmp(png, 1);
}

void
onWarning(png_structp, png_const_charp)
{
}

// Reads the header, and nothing that depends on the image's size: the
// caller checks the size before libpng allocates its rows. What one chunk
// may allocate is capped.
bool
readInfo(Reader &reader, png_uint_32 &width, png_uint_32 &height, png_size_t &rowbytes)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_init_io(reader.png, reader.fp);
    png_set_sig_bytes(reader.png, 8);
    // Our limits, with their own message, come first; libpng's must not be lower.
    png_set_user_limits(reader.png, 0x7fffffff, 0x7fffffff);
    png_set_chunk_malloc_max(reader.png, theMaxChunkBytes);
    png_read_info(reader.png, reader.info);
    width = png_get_image_width(reader.png, reader.info);
    height = png_get_image_height(reader.png, reader.info);
    rowbytes = png_get_rowbytes(reader.png, reader.info);
    return true;
}

// Sets up the conversion to 8-bit RGBA; libpng allocates its row buffers
// here, so only a header within the limits gets this far.
bool
setUpConversion(Reader &reader)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    const int type = png_get_color_type(reader.png, reader.info);
    png_set_expand(reader.png);
    png_set_scale_16(reader.png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(reader.png);
    if (!(type & PNG_COLOR_MASK_ALPHA) &&
        !png_get_valid(reader.png, reader.info, PNG_INFO_tRNS))
        png_set_add_alpha(reader.png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    return true;
}

bool
readRows(Reader &reader, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_read_image(reader.png, rows);
    png_read_end(reader.png, nullptr);
    return true;
}

long long
fileSize(FILE *fp)
{
    if (std::fseek(fp, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(fp);
    std::rewind(fp);
    return size;
}

bool
fail(std::string &error, const char *path, const char *why)
{
    error = std::string("cannot read image \"") + path + "\": " + why;
    return false;
}
} // namespace

bool
TILreadPNG(const char *path, TIL_TextureMap &image, std::string &error)
{
    image.resize(0, 0);
    if (!path || !*path)
        return fail(error, "", "no file name");
    Reader reader;
    // Opened without waiting, so that a FIFO or device is refused at once
    // instead of blocking until something writes to it.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(error, path, std::strerror(errno));
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        close(fd);
        return fail(error, path, S_ISDIR(st.st_mode) ? "it is a directory"
                                                     : "it is not a regular file");
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    reader.fp = fdopen(fd, "rb");
    if (!reader.fp)
    {
        close(fd);
        return fail(error, path, std::strerror(errno));
    }

    const long long size = fileSize(reader.fp);
    png_byte signature[8] = {0};
    if (size < 8 || std::fread(signature, 1, 8, reader.fp) != 8 ||
        png_sig_cmp(signature, 0, 8) != 0)
    {
        std::fclose(reader.fp);
        return fail(error, path, "not a PNG file");
    }

    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, onError, onWarning);
    reader.info = reader.png ? png_create_info_struct(reader.png) : nullptr;
    bool ok = reader.info != nullptr;
    if (!ok)
        std::snprintf(reader.message, sizeof(reader.message), "out of memory");

    png_uint_32 width = 0, height = 0;
    png_size_t rowbytes = 0;
    ok = ok && readInfo(reader, width, height, rowbytes);
    if (ok)
    {
        const long long pixels = static_cast<long long>(width) * height;
        const long long packed = static_cast<long long>(rowbytes + 1) * height;
        const char *why = nullptr;
        if (width > static_cast<png_uint_32>(TIL_MAX_IMAGE_SIDE) ||
            height > static_cast<png_uint_32>(TIL_MAX_IMAGE_SIDE) || pixels > TIL_MAX_IMAGE_PIXELS)
            why = "image too large";
        else if (packed > size * theMaxDeflateRatio)
            why = "file too short for the image size in its header";
        else if (!setUpConversion(reader))
            ok = false;
        else if (png_get_rowbytes(reader.png, reader.info) != static_cast<png_size_t>(width) * 4)
            why = "unsupported pixel layout";
        if (why)
        {
            std::snprintf(reader.message, sizeof(reader.message), "%s (%ux%u)", why,
                          static_cast<unsigned>(width), static_cast<unsigned>(height));
            ok = false;
        }
    }
    if (ok)
    {
        image.resize(static_cast<int>(width), static_cast<int>(height));
        std::vector<png_bytep> rows(height);
        const size_t stride = static_cast<size_t>(width) * 4;
        // PNG rows run top to bottom; ours bottom to top.
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = image.getPixels() + stride * (height - 1 - y);
        ok = readRows(reader, rows.data());
        if (!ok)
            image.resize(0, 0);
    }
    png_destroy_read_struct(&reader.png, reader.info ? &reader.info : nullptr, nullptr);
    std::fclose(reader.fp);
    if (!ok)
        return fail(error, path, reader.message[0] ? reader.message : "bad data");
    error.clear();
    return true;
}
