#include "TinyTrueType.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

namespace GralithFuzz {

namespace {

using Bytes = std::vector<unsigned char>;

// Big-endian 16-bit words; negative values in two's complement. 32-bit fields go in as two words.
void Words(Bytes& b, std::initializer_list<long> words) {
    for (long v : words) {
        b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
        b.push_back(static_cast<unsigned char>(v & 0xFF));
    }
}

void U32(Bytes& b, std::uint32_t v) { Words(b, {v >> 16, v & 0xFFFF}); }

struct Point {
    int x, y;
};

// A simple glyph of straight on-curve contours with 16-bit deltas.
Bytes SimpleGlyph(const std::vector<std::vector<Point>>& contours) {
    int xMin = 1 << 30, yMin = 1 << 30, xMax = -(1 << 30), yMax = -(1 << 30), points = 0;
    for (const auto& contour : contours)
        for (const Point& p : contour) {
            xMin = std::min(xMin, p.x), yMin = std::min(yMin, p.y);
            xMax = std::max(xMax, p.x), yMax = std::max(yMax, p.y);
        }
    Bytes g;
    Words(g, {long(contours.size()), xMin, yMin, xMax, yMax});
    for (const auto& contour : contours)
        Words(g, {(points += int(contour.size())) - 1});
    Words(g, {0}); // no instructions
    g.insert(g.end(), size_t(points), 0x01);
    for (int axis = 0; axis < 2; ++axis) {
        int last = 0;
        for (const auto& contour : contours)
            for (const Point& p : contour) {
                Words(g, {(axis ? p.y : p.x) - last});
                last = axis ? p.y : p.x;
            }
    }
    if (g.size() % 2)
        g.push_back(0);
    return g;
}

std::uint32_t Checksum(const Bytes& table) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < table.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t j = 0; j < 4; ++j)
            word = word << 8 | (i + j < table.size() ? table[i + j] : 0);
        sum += word;
    }
    return sum;
}

} // namespace

std::vector<unsigned char> MakeTinyTrueType() {
    const std::vector<Bytes> glyphs = {
        Bytes(),                                                         // .notdef
        SimpleGlyph({{{100, 0}, {100, 700}, {600, 700}, {600, 0}}}),     // A: square
        SimpleGlyph({{{50, 0}, {350, 700}, {650, 0}}}),                  // B: triangle
        SimpleGlyph({{{0, 0}, {0, 700}, {700, 700}, {700, 0}},           // C: square
                     {{200, 200}, {500, 200}, {500, 500}, {200, 500}}}), //    with a hole
        Bytes(),                                                         // space
    };
    const long glyphCount = long(glyphs.size());
    std::map<std::string, Bytes> tables;

    Bytes& glyf = tables["glyf"];
    Bytes& loca = tables["loca"];
    for (const Bytes& g : glyphs) {
        Words(loca, {long(glyf.size() / 2)});
        glyf.insert(glyf.end(), g.begin(), g.end());
    }
    Words(loca, {long(glyf.size() / 2)});

    // Version and revision 1.0, no checksum adjustment, the magic, baseline at 0 with integer
    // scaling, 1000 units per em, no dates, the bounds, lowest readable size 8, short offsets.
    Words(tables["head"],
          {1, 0, 1, 0, 0, 0, 0x5F0F, 0x3CF5, 0x000B, 1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 700, 700, 0, 8, 2, 0, 0});
    // Ascender 800, descender -200, advance at most 800, extent 700, caret upright.
    Words(tables["hhea"], {1, 0, 800, -200, 0, 800, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, glyphCount});
    // At most 8 points in 2 contours, 2 zones.
    Words(tables["maxp"], {1, 0, glyphCount, 8, 2, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0});
    for (long advance : {500, 700, 700, 800, 300})
        Words(tables["hmtx"], {advance, 0});
    // One Windows Unicode BMP subtable of format 4 with three segments: " " -> 4, "A".."C" -> 1..3
    // and the closing 0xFFFF; its header, ends, pad, starts, deltas and range offsets.
    Words(tables["cmap"], {0,    1,    3,      1, 0,    12,   4,      16 + 3 * 8, 0,        6, 4, 1, 2,
                           0x20, 0x43, 0xFFFF, 0, 0x20, 0x41, 0xFFFF, 4 - 0x20,   1 - 0x41, 1, 0, 0, 0});
    Words(tables["post"], {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

    Bytes font;
    const long count = long(tables.size());
    long searchRange = 16, selector = 0;
    for (; searchRange * 2 <= count * 16; ++selector)
        searchRange *= 2;
    Words(font, {1, 0, count, searchRange, selector, count * 16 - searchRange});
    std::uint32_t offset = 12 + 16 * std::uint32_t(count);
    for (const auto& [tag, table] : tables) { // std::map keeps the tags sorted
        font.insert(font.end(), tag.begin(), tag.end());
        U32(font, Checksum(table));
        U32(font, offset);
        U32(font, std::uint32_t(table.size()));
        offset += (std::uint32_t(table.size()) + 3) & ~3u;
    }
    for (const auto& entry : tables) {
        font.insert(font.end(), entry.second.begin(), entry.second.end());
        font.resize((font.size() + 3) & ~size_t(3));
    }
    return font;
}

} // namespace GralithFuzz
