#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Measures of rendered show frames: how much of a frame is blown out, and whether a title
/// card's text still stands out from what is around it.
namespace Halcyra::Frames {

/// 8-bit RGBA pixels, rows top first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

/// Reads a PNG file as RGBA; throws std::runtime_error when it cannot.
Image ReadPng(const std::string& path);

/// Luma of a pixel on its stored (gamma-encoded) values, 0 to 255, Rec. 709 weights.
double Luma(const std::uint8_t* pixel);

/// Pixels whose luma is above this count as blown out.
constexpr double BrightLuma = 240.0;
/// Text whose contrast ratio against its surroundings reaches this can be read: the usual
/// minimum for large text, which every card's lines are at the show's sizes.
constexpr double ReadableContrast = 3.0;
/// A card is legible in a frame when this share of its letters can be read.
constexpr double LegibleShare = 0.8;

struct Brightness {
    double mean = 0.0;           // mean luma, 0 to 255
    double brightFraction = 0.0; // share of pixels with luma above BrightLuma
};
Brightness MeasureBrightness(const Image& frame);

/// Where a title card's letters land in frames of one size. The card is stretched over the
/// whole window, so each frame pixel covers a block of card texels. Letters are the card's
/// opaque light texels. Each line of text is cut into cells about as wide as the line is high;
/// a cell's surroundings are its frame pixels that touch no letter, up to a third of the line's
/// height beyond it: the card's own shadow and halo, the gaps, and the scene behind.
class CardText {
public:
    /// Throws std::runtime_error when the card's letters are too small to measure at this size.
    CardText(const Image& card, int frameWidth, int frameHeight);

    /// Share of the letters (by frame pixels) whose cell reaches ReadableContrast in the frame:
    /// (lighter + 0.05) / (darker + 0.05) of the mean relative luminance of the cell's letters
    /// and of its surroundings.
    double ReadableShare(const Image& frame) const;
    bool Legible(const Image& frame) const { return ReadableShare(frame) >= LegibleShare; }

private:
    struct Cell {
        std::vector<int> letters, surroundings; // frame pixel indices
    };
    std::vector<Cell> cells;
    size_t letterCount = 0;
    int width, height;
};

} // namespace Halcyra::Frames
