#include "TinyTrueType.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace GralithFuzz {

namespace {

using Bytes = std::vector<unsigned char>;

void U16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}

void U32(Bytes& b, std::uint32_t v) {
    U16(b, v >> 16);
    U16(b, v & 0xFFFF);
}

void S16(Bytes& b, int v) { U16(b, static_cast<unsigned>(v) & 0xFFFF); }

struct Point {
    int x, y;
};

// A simple glyph of straight on-curve contours.
Bytes SimpleGlyph(const std::vector<std::vector<Point>>& contours) {
    Bytes g;
    int xMin = 1 << 30, yMin = 1 << 30, xMax = -(1 << 30), yMax = -(1 << 30);
    for (const auto& contour : contours)
        for (const Point& p : contour) {
            xMin = std::min(xMin, p.x);
            yMin = std::min(yMin, p.y);
            xMax = std::max(xMax, p.x);
            yMax = std::max(yMax, p.y);
        }
    S16(g, int(contours.size()));
    S16(g, xMin);
    S16(g, yMin);
    S16(g, xMax);
    S16(g, yMax);
    int end = -1;
    for (const auto& contour : contours) {
        end += int(contour.size());
        U16(g, unsigned(end));
    }
    U16(g, 0); // no instructions
    for (const auto& contour : contours)
        for (std::size_t i = 0; i < contour.size(); ++i)
            g.push_back(0x01); // on curve, 16-bit deltas
    Point last{0, 0};
    for (const auto& contour : contours)
        for (const Point& p : contour) {
            S16(g, p.x - last.x);
            last.x = p.x;
        }
    for (const auto& contour : contours)
        for (const Point& p : contour) {
            S16(g, p.y - last.y);
            last.y = p.y;
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
    const unsigned glyphCount = unsigned(glyphs.size());
    std::map<std::string, Bytes> tables;

    Bytes& glyf = tables["glyf"];
    Bytes& loca = tables["loca"];
    for (const Bytes& g : glyphs) {
        U16(loca, unsigned(glyf.size() / 2));
        glyf.insert(glyf.end(), g.begin(), g.end());
    }
    U16(loca, unsigned(glyf.size() / 2));

    Bytes& head = tables["head"];
    U32(head, 0x00010000);
    U32(head, 0x00010000);
    U32(head, 0);          // checksum adjustment
    U32(head, 0x5F0F3CF5); // magic
    U16(head, 0x000B);     // baseline at 0, integer scaling
    U16(head, 1000);       // units per em
    for (int i = 0; i < 4; ++i)
        U32(head, 0); // created, modified
    S16(head, 0);
    S16(head, 0);
    S16(head, 700);
    S16(head, 700);
    U16(head, 0); // mac style
    U16(head, 8); // lowest readable size
    S16(head, 2); // direction hint
    S16(head, 0); // short loca offsets
    S16(head, 0);

    Bytes& hhea = tables["hhea"];
    U32(hhea, 0x00010000);
    S16(hhea, 800);
    S16(hhea, -200);
    S16(hhea, 0);
    U16(hhea, 800);
    S16(hhea, 0);
    S16(hhea, 0);
    S16(hhea, 700);
    S16(hhea, 1);
    S16(hhea, 0);
    S16(hhea, 0);
    for (int i = 0; i < 4; ++i)
        S16(hhea, 0);
    S16(hhea, 0);
    U16(hhea, glyphCount);

    Bytes& maxp = tables["maxp"];
    U32(maxp, 0x00010000);
    U16(maxp, glyphCount);
    U16(maxp, 8); // points
    U16(maxp, 2); // contours
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 2); // zones
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);
    U16(maxp, 0);

    Bytes& hmtx = tables["hmtx"];
    const unsigned advances[] = {500, 700, 700, 800, 300};
    for (unsigned g = 0; g < glyphCount; ++g) {
        U16(hmtx, advances[g]);
        S16(hmtx, 0);
    }

    // cmap: one Windows Unicode BMP subtable, format 4: " " -> 4, "A".."C" -> 1..3.
    Bytes& cmap = tables["cmap"];
    U16(cmap, 0);
    U16(cmap, 1);
    U16(cmap, 3);
    U16(cmap, 1);
    U32(cmap, 12);
    const unsigned starts[] = {0x20, 0x41, 0xFFFF}, ends[] = {0x20, 0x43, 0xFFFF};
    const int deltas[] = {4 - 0x20, 1 - 0x41, 1};
    const unsigned segments = 3;
    U16(cmap, 4);
    U16(cmap, 16 + segments * 8);
    U16(cmap, 0);
    U16(cmap, segments * 2);
    U16(cmap, 4);
    U16(cmap, 1);
    U16(cmap, segments * 2 - 4);
    for (unsigned e : ends)
        U16(cmap, e);
    U16(cmap, 0);
    for (unsigned s : starts)
        U16(cmap, s);
    for (int d : deltas)
        S16(cmap, d);
    for (unsigned s = 0; s < segments; ++s)
        U16(cmap, 0);

    Bytes& post = tables["post"];
    U32(post, 0x00030000);
    for (int i = 0; i < 7; ++i)
        U32(post, 0);

    Bytes font;
    const unsigned count = unsigned(tables.size());
    unsigned searchRange = 16, selector = 0;
    while (searchRange * 2 <= count * 16) {
        searchRange *= 2;
        ++selector;
    }
    U32(font, 0x00010000);
    U16(font, count);
    U16(font, searchRange);
    U16(font, selector);
    U16(font, count * 16 - searchRange);
    std::uint32_t offset = 12 + 16 * count;
    for (const auto& [tag, table] : tables) { // std::map keeps the tags sorted
        for (char c : tag)
            font.push_back(static_cast<unsigned char>(c));
        U32(font, Checksum(table));
        U32(font, offset);
        U32(font, std::uint32_t(table.size()));
        offset += (std::uint32_t(table.size()) + 3) & ~3u;
    }
    for (const auto& entry : tables) {
        font.insert(font.end(), entry.second.begin(), entry.second.end());
        while (font.size() % 4)
            font.push_back(0);
    }
    return font;
}

} // namespace GralithFuzz
