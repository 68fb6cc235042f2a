#pragma once

// Running halcyra-render as a viewer would, and reading back what it wrote.

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
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
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba = std::move(pixels);
    return image;
}

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// Runs a shell command line, answering its exit status, standard output and standard error.
inline Result RunCommand(const std::string& command, const std::string& scratch) {
    Result result;
    std::string errPath = scratch + "/stderr.txt";
    FILE* pipe = popen((command + " 2>'" + errPath + "'").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = fopen(errPath.c_str(), "r")) {
        while ((n = fread(buffer, 1, sizeof buffer, err)) > 0)
            result.err.append(buffer, n);
        fclose(err);
    }
    std::remove(errPath.c_str());
    return result;
}

} // namespace VelorinTest
