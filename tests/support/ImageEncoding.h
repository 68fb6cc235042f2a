#pragma once

// Writes small PNG and JPEG files in memory with libpng and libjpeg, so the loader tests and
// the fuzz seed corpus build their inputs instead of shipping binary files.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace GralithTest {

using Bytes = std::vector<unsigned char>;

struct PngImage {
    PngImage() = default;
    PngImage(int width, int height, int colorType = 2, int bitDepth = 8, std::vector<unsigned> samples = {})
        : width(width), height(height), colorType(colorType), bitDepth(bitDepth), samples(std::move(samples)) {}

    int width = 0;
    int height = 0;
    int colorType = 2; ///< PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    /// Samples in file order, top row first: one value per sample (0..2^bitDepth-1), packed by
    /// the encoder. None: every sample is 0.
    std::vector<unsigned> samples;
    /// Palette entries as R, G, B triples (colour type 3).
    Bytes palette;
    /// Transparency chunk: palette alphas (type 3) or one key colour of 1 or 3 samples.
    std::vector<unsigned> transparency;
};

Bytes EncodePng(const PngImage& image);

/// A width × height RGBA PNG, each pixel's four samples from colour(x, y), top row first.
template <class Colour>
std::string RgbaPng(int width, int height, Colour colour) {
    PngImage image(width, height, 6);
    for (int i = 0; i < width * height; ++i)
        for (unsigned sample : colour(i % width, i / width))
            image.samples.push_back(sample);
    const Bytes bytes = EncodePng(image);
    return std::string(bytes.begin(), bytes.end());
}

/// pixels: components bytes per pixel, top row first. components 1 (grey), 3 (RGB) or
/// 4 (CMYK).
Bytes EncodeJpeg(int width, int height, int components, const Bytes& pixels, int quality = 95,
                 bool progressive = false);

void WriteBinaryFile(const std::string& path, const Bytes& bytes);

/// Recomputes the CRC of the PNG chunk whose type starts at offset typeOffset, after a test
/// changed its data.
void FixPngChunkCrc(Bytes& png, std::size_t typeOffset);

} // namespace GralithTest
