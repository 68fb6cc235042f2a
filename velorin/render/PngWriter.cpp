#include "velorin/render/PngWriter.h"

#include "gralith/Exception.h"
#include "velorin/Messages.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace Velorin {

namespace {

[[noreturn]] void Fail(const std::string& path) { throw Gralith::Exception((Messages::PngWriteFailed + path).c_str()); }

// Runs the libpng calls; false when libpng reported an error (through its longjmp).
bool Encode(std::FILE* file, int width, int height, const std::uint8_t* rgba) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] =
            const_cast<png_bytep>(rgba + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 4);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Frames are many and big: favour speed over the last few percent of size.
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

void WritePng(const std::string& path, int width, int height, const std::uint8_t* rgbaBottomUp) {
    if (width < 1 || height < 1 || !rgbaBottomUp)
        Fail(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        Fail(path);
    bool written = Encode(file, width, height, rgbaBottomUp);
    if (std::fclose(file) != 0 || !written) {
        std::remove(path.c_str());
        Fail(path);
    }
}

} // namespace Velorin
