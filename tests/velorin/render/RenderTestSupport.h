#pragma once

// Reading back the PNG files halcyra-render wrote.

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace VelorinTest {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // rows top to bottom

    const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

/// The PNG file as 8-bit RGBA; empty (width 0) when it cannot be read.
inline Image ReadPng(const std::string& path) {
    Image image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return image;
    png.format = PNG_FORMAT_RGBA;
    image.rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return Image();
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    return image;
}

} // namespace VelorinTest
