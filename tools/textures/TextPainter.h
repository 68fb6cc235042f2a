#pragma once

#include "Canvas.h"

#include <string>

namespace Halcyra::Textures {

/// Rasterises UTF-8 text from one TrueType face into coverage masks.
class TextPainter {
public:
    /// Throws std::runtime_error when the font cannot be opened.
    explicit TextPainter(const std::string& fontPath);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    /// Width in pixels of text at pixelSize with tracking extra pixels between letters.
    float Measure(const std::string& text, int pixelSize, float tracking = 0.0f);
    /// Adds coverage of text with its baseline at y and its left edge at x.
    void Draw(Mask& mask, const std::string& text, int pixelSize, float x, float y, float tracking = 0.0f);
    /// As Draw, horizontally centred on centreX.
    void DrawCentred(Mask& mask, const std::string& text, int pixelSize, float centreX, float y, float tracking = 0.0f);

private:
    float Run(Mask* mask, const std::string& text, int pixelSize, float x, float y, float tracking);

    void* library = nullptr;
    void* face = nullptr;
};

} // namespace Halcyra::Textures
