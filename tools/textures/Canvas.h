#pragma once

#include <cstddef>
#include <vector>

namespace Halcyra::Textures {

/// A single-channel coverage layer, 0..1 per pixel, row 0 at the top.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    Mask(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}
    float& At(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float At(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }

    /// Three box passes per axis: close to a gaussian of the given radius, at a cost independent of it.
    void Blur(int radius);
    /// Multiplies every value by factor and clamps to 0..1.
    void Scale(float factor);
};

/// A straight-alpha RGBA picture in floats, row 0 at the top.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<float> rgba;

    Canvas(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0.0f) {}
    float* At(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }

    /// Paints colour through mask with the "over" operator (alpha = mask x a).
    void Over(const Mask& mask, float r, float g, float b, float a);
    /// Paints colour through mask, the colour taken per pixel from shade(x, y, rgb out).
    template <class Shade>
    void OverShaded(const Mask& mask, float a, Shade shade) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                float c[3];
                shade(x, y, c);
                OverPixel(x, y, c[0], c[1], c[2], mask.At(x, y) * a);
            }
    }
    /// Adds light: rgb += colour x mask, alpha set to 1 (for images drawn additively).
    void AddLight(const Mask& mask, float r, float g, float b);
    void Fill(float r, float g, float b, float a);

    /// 8 bits per channel, rows top first.
    std::vector<unsigned char> ToBytes() const;

private:
    void OverPixel(int x, int y, float r, float g, float b, float a);
};

} // namespace Halcyra::Textures
