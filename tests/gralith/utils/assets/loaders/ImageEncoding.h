#pragma once

// Writes small PNG and JPEG files in memory with libpng and libjpeg, so the loader tests and
// the fuzz seed corpus build their inputs instead of shipping binary files.

#include <cstdint>
#include <string>
#include <vector>

namespace GralithTest {

using Bytes = std::vector<unsigned char>;

struct PngImage {
    int width = 0;
    int height = 0;
    int colorType = 2; ///< PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    /// Samples in file order, top row first: one value per sample (0..2^bitDepth-1), packed by
    /// the encoder.
    std::vector<unsigned> samples;
    /// Palette entries as R, G, B triples (colour type 3).
    Bytes palette;
    /// Transparency chunk: palette alphas (type 3) or one key colour of 1 or 3 samples.
    std::vector<unsigned> transparency;
};

Bytes EncodePng(const PngImage& image);

/// pixels: components bytes per pixel, top row first. components 1 (grey), 3 (RGB) or
/// 4 (CMYK).
Bytes EncodeJpeg(int width, int height, int components, const Bytes& pixels, int quality = 95,
                 bool progressive = false);

/// Reads a whole file into bytes; empty when it cannot be read.
Bytes ReadBinaryFile(const std::string& path);
void WriteBinaryFile(const std::string& path, const Bytes& bytes);

/// Recomputes the CRC of the PNG chunk whose type starts at offset typeOffset, after a test
/// changed its data.
void FixPngChunkCrc(Bytes& png, std::size_t typeOffset);

/// A fresh directory under the system's temporary directory, removed with everything in it
/// when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    /// The path, ending in "/".
    const std::string& Path() const { return path; }
    /// Writes a file below the directory, creating its sub-directories.
    void Write(const std::string& name, const Bytes& bytes) const;
    void Write(const std::string& name, const std::string& text) const;

private:
    std::string path;
};

} // namespace GralithTest
