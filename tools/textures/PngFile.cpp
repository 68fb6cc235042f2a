#include "PngFile.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>

namespace Halcyra::Textures {

void WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4)
        throw std::runtime_error("Bad image size for " + path);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("Cannot create " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        throw std::runtime_error("Cannot encode " + path);
    }
    png_init_io(png, file);
    // Mostly empty pictures: a fast level compresses them nearly as well as the slow ones.
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0)
        throw std::runtime_error("Cannot write " + path);
}

} // namespace Halcyra::Textures
