#include "FrameMeasure.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace Halcyra::Frames {

namespace {

// A card texel is a letter where the card is opaque and light: the letters are drawn in white
// over their darker shadow and halo.
bool IsLetter(const std::uint8_t* texel) { return texel[3] >= 250 && Luma(texel) >= 200.0; }

// Relative luminance of a stored pixel: its sRGB values made linear.
double RelativeLuminance(const std::uint8_t* pixel) {
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (int i = 0; i < 256; ++i) {
            double c = i / 255.0;
            table[static_cast<size_t>(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return 0.2126 * linear[pixel[0]] + 0.7152 * linear[pixel[1]] + 0.0722 * linear[pixel[2]];
}

// Letter texels in any rectangle of the card in constant time.
class LetterCount {
public:
    explicit LetterCount(const Image& card)
        : width(card.width), sums(static_cast<size_t>(card.width + 1) * (card.height + 1)) {
        for (int y = 0; y < card.height; ++y)
            for (int x = 0; x < card.width; ++x)
                sums[Index(x + 1, y + 1)] = (IsLetter(card.At(x, y)) ? 1 : 0) + sums[Index(x, y + 1)] +
                                            sums[Index(x + 1, y)] - sums[Index(x, y)];
    }
    // Letters in [x0, x1) x [y0, y1), clipped to the card by the caller.
    long In(int x0, int y0, int x1, int y1) const {
        return sums[Index(x1, y1)] - sums[Index(x0, y1)] - sums[Index(x1, y0)] + sums[Index(x0, y0)];
    }

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * (width + 1) + x; }
    int width;
    std::vector<long> sums;
};

struct Box {
    int x0, y0, x1, y1; // card texels, half-open
};

// Lines of letters: runs of card rows holding letters, with small gaps (an i's dot, accents)
// joined to their line.
std::vector<Box> FindLines(const Image& card, const LetterCount& count) {
    const int joinGap = std::max(1, card.height / 100);
    std::vector<Box> lines;
    for (int y = 0; y < card.height; ++y) {
        if (count.In(0, y, card.width, y + 1) == 0)
            continue;
        if (!lines.empty() && y - lines.back().y1 <= joinGap)
            lines.back().y1 = y + 1;
        else
            lines.push_back({card.width, y, 0, y + 1});
    }
    for (Box& line : lines)
        for (int x = 0; x < card.width; ++x)
            if (count.In(x, line.y0, x + 1, line.y1) > 0) {
                line.x0 = std::min(line.x0, x);
                line.x1 = x + 1;
            }
    return lines;
}

} // namespace

Image ReadPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        throw std::runtime_error("cannot read " + path);
    png.format = PNG_FORMAT_RGBA;
    Image image;
    image.rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        throw std::runtime_error("cannot decode " + path);
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    return image;
}

double Luma(const std::uint8_t* pixel) { return 0.2126 * pixel[0] + 0.7152 * pixel[1] + 0.0722 * pixel[2]; }

Brightness MeasureBrightness(const Image& frame) {
    Brightness result;
    const long pixels = static_cast<long>(frame.width) * frame.height;
    if (pixels == 0)
        return result;
    double sum = 0.0;
    long bright = 0;
    for (long i = 0; i < pixels; ++i) {
        double luma = Luma(&frame.rgba[static_cast<size_t>(i) * 4]);
        sum += luma;
        bright += luma > BrightLuma;
    }
    result.mean = sum / static_cast<double>(pixels);
    result.brightFraction = static_cast<double>(bright) / static_cast<double>(pixels);
    return result;
}

CardText::CardText(const Image& card, int frameWidth, int frameHeight) : width(frameWidth), height(frameHeight) {
    const LetterCount count(card);
    const double sx = static_cast<double>(card.width) / frameWidth, sy = static_cast<double>(card.height) / frameHeight;
    // Card texels covered by frame pixels [fx0, fx1) x [fy0, fy1), clipped to the frame.
    auto letters = [&](int fx0, int fy0, int fx1, int fy1) {
        fx0 = std::max(fx0, 0), fy0 = std::max(fy0, 0), fx1 = std::min(fx1, width), fy1 = std::min(fy1, height);
        return count.In(static_cast<int>(fx0 * sx), static_cast<int>(fy0 * sy), static_cast<int>(fx1 * sx),
                        static_cast<int>(fy1 * sy));
    };
    for (const Box& box : FindLines(card, count)) {
        const double lineHeight = box.y1 - box.y0, pad = lineHeight / 3.0;
        const double left = box.x0 - pad;
        std::vector<Cell> line(static_cast<size_t>(std::ceil((box.x1 + pad - left) / lineHeight)));
        const int fx0 = static_cast<int>(std::floor(left / sx)), fx1 = static_cast<int>(std::ceil((box.x1 + pad) / sx));
        const int fy0 = static_cast<int>(std::floor((box.y0 - pad) / sy)),
                  fy1 = static_cast<int>(std::ceil((box.y1 + pad) / sy));
        for (int fy = std::max(fy0, 0); fy < std::min(fy1, height); ++fy)
            for (int fx = std::max(fx0, 0); fx < std::min(fx1, width); ++fx) {
                const double cx = (fx + 0.5) * sx, cy = (fy + 0.5) * sy;
                const size_t c =
                    std::min(line.size() - 1, static_cast<size_t>(std::max(0.0, (cx - left) / lineHeight)));
                const long area = static_cast<long>(std::floor((fx + 1) * sx) - std::floor(fx * sx)) *
                                  static_cast<long>(std::floor((fy + 1) * sy) - std::floor(fy * sy));
                // A frame pixel at least three quarters inside the strokes shows the letter's own colour.
                if (cy >= box.y0 && cy < box.y1 && letters(fx, fy, fx + 1, fy + 1) * 4 >= area * 3)
                    line[c].letters.push_back(fy * width + fx);
                else if (letters(fx - 1, fy - 1, fx + 2, fy + 2) == 0)
                    line[c].surroundings.push_back(fy * width + fx);
            }
        for (Cell& cell : line)
            if (!cell.letters.empty() && !cell.surroundings.empty()) {
                letterCount += cell.letters.size();
                cells.push_back(std::move(cell));
            }
    }
    if (cells.empty())
        throw std::runtime_error("the card's letters are too small to measure at " + std::to_string(frameWidth) + "x" +
                                 std::to_string(frameHeight));
}

double CardText::ReadableShare(const Image& frame) const {
    if (frame.width != width || frame.height != height)
        throw std::runtime_error("the frame is " + std::to_string(frame.width) + "x" + std::to_string(frame.height) +
                                 ", the card was laid out for " + std::to_string(width) + "x" + std::to_string(height));
    auto mean = [&](const std::vector<int>& pixels) {
        double sum = 0.0;
        for (int i : pixels)
            sum += RelativeLuminance(&frame.rgba[static_cast<size_t>(i) * 4]);
        return sum / static_cast<double>(pixels.size());
    };
    size_t readable = 0;
    for (const Cell& cell : cells) {
        const double a = mean(cell.letters), b = mean(cell.surroundings);
        if ((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= ReadableContrast)
            readable += cell.letters.size();
    }
    return static_cast<double>(readable) / static_cast<double>(letterCount);
}

} // namespace Halcyra::Frames
