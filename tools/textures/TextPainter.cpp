#include "TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace Halcyra::Textures {

namespace {

std::vector<unsigned long> DecodeUtf8(const std::string& text) {
    std::vector<unsigned long> codes;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        unsigned long code = extra == 3 ? c & 0x07u : extra == 2 ? c & 0x0Fu : extra == 1 ? c & 0x1Fu : c;
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
        codes.push_back(code);
    }
    return codes;
}

} // namespace

TextPainter::TextPainter(const std::string& fontPath) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0)
        throw std::runtime_error("FreeType cannot start");
    FT_Face f = nullptr;
    if (FT_New_Face(lib, fontPath.c_str(), 0, &f) != 0) {
        FT_Done_FreeType(lib);
        throw std::runtime_error("Cannot open font " + fontPath);
    }
    library = lib;
    face = f;
}

TextPainter::~TextPainter() {
    FT_Done_Face(static_cast<FT_Face>(face));
    FT_Done_FreeType(static_cast<FT_Library>(library));
}

float TextPainter::Measure(const std::string& text, int pixelSize, float tracking) {
    return Run(nullptr, text, pixelSize, 0.0f, 0.0f, tracking);
}

void TextPainter::Draw(Mask& mask, const std::string& text, int pixelSize, float x, float y, float tracking) {
    Run(&mask, text, pixelSize, x, y, tracking);
}

void TextPainter::DrawCentred(Mask& mask, const std::string& text, int pixelSize, float centreX, float y,
                              float tracking) {
    const float width = Measure(text, pixelSize, tracking);
    Run(&mask, text, pixelSize, centreX - 0.5f * width, y, tracking);
}

float TextPainter::Run(Mask* mask, const std::string& text, int pixelSize, float x, float y, float tracking) {
    FT_Face f = static_cast<FT_Face>(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
    const std::vector<unsigned long> codes = DecodeUtf8(text);
    float pen = x;
    FT_UInt previous = 0;
    float lastAdvanceTracking = 0.0f;
    for (unsigned long code : codes) {
        const FT_UInt glyph = FT_Get_Char_Index(f, code);
        if (previous && glyph && FT_HAS_KERNING(f)) {
            FT_Vector kern;
            if (FT_Get_Kerning(f, previous, glyph, FT_KERNING_DEFAULT, &kern) == 0)
                pen += static_cast<float>(kern.x) / 64.0f;
        }
        if (FT_Load_Glyph(f, glyph, mask ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) != 0)
            continue;
        if (mask) {
            const FT_Bitmap& bitmap = f->glyph->bitmap;
            const int left = static_cast<int>(std::lround(pen)) + f->glyph->bitmap_left;
            const int top = static_cast<int>(std::lround(y)) - f->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                const int py = top + static_cast<int>(row);
                if (py < 0 || py >= mask->height)
                    continue;
                for (unsigned col = 0; col < bitmap.width; ++col) {
                    const int px = left + static_cast<int>(col);
                    if (px < 0 || px >= mask->width)
                        continue;
                    const float v = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col] / 255.0f;
                    float& m = mask->At(px, py);
                    m = std::min(1.0f, m + v);
                }
            }
        }
        pen += static_cast<float>(f->glyph->advance.x) / 64.0f + tracking;
        lastAdvanceTracking = tracking;
        previous = glyph;
    }
    return pen - x - lastAdvanceTracking;
}

} // namespace Halcyra::Textures
