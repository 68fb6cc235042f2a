#include "gralith/utils/assets/Font.h"

#include "gralith/graphics/Texture2D.h"
#include "gralith/utils/GeoStream.h"

namespace Gralith::Utils::Assets {

Font::Font(Graphics::Device* device) { stream.Adopt(new GeoStream(device, StreamCapacity)); }

Font::~Font() = default;

void Font::SetGlyphRect(int code, float uMin, float vMin, float uMax, float vMax) {
    float* r = rects[Index(code)];
    r[0] = uMin;
    r[1] = vMin;
    r[2] = uMax;
    r[3] = vMax;
}

void Font::SetGlyphOffset(int code, float left, float top) {
    offsets[Index(code)][0] = left;
    offsets[Index(code)][1] = top;
}

void Font::SetGlyphAdvance(int code, float advance) { advances[Index(code)] = advance; }

void Font::SetTexture(Graphics::Texture2D* t) { texture.Adopt(t); }

void Font::SetColor(float red, float green, float blue, float alpha) {
    color[0] = red;
    color[1] = green;
    color[2] = blue;
    color[3] = alpha;
}

float Font::GetTexelScale() const {
    float w = 16.0f * pixelSize;
    return w > 0.0f ? (w / (w + 1.0f)) * (1.0f / w) : 0.0f;
}

float Font::LayoutText(const String& text, float x, float y, float scale, Array<GlyphQuad>& out) const {
    float k = GetTexelScale();
    float penX = x;
    float baseline = y;
    for (int i = 0; i < text.Length(); ++i) {
        int code = static_cast<unsigned char>(text[i]);
        if (code == '\n') {
            penX = x;
            baseline -= pixelSize * scale;
            continue;
        }
        if (k > 0.0f) {
            // The rectangle reaches one texel left of the glyph bitmap and one above it, so the
            // quad starts one pixel left of the bitmap's offset and ends one pixel above its top.
            const float* r = rects[code];
            GlyphQuad quad;
            quad.code = code;
            quad.x0 = penX + (offsets[code][0] - 1.0f) * scale;
            quad.x1 = quad.x0 + (r[2] - r[0]) / k * scale;
            quad.y1 = baseline + (offsets[code][1] + 1.0f) * scale;
            quad.y0 = quad.y1 - (r[3] - r[1]) / k * scale;
            quad.u0 = r[0];
            quad.v0 = r[1];
            quad.u1 = r[2];
            quad.v1 = r[3];
            out.Add(quad);
        }
        penX += advances[code] * scale;
    }
    return penX;
}

float Font::MeasureText(const String& text) const {
    float widest = 0.0f;
    float line = 0.0f;
    for (int i = 0; i < text.Length(); ++i) {
        int code = static_cast<unsigned char>(text[i]);
        if (code == '\n') {
            line = 0.0f;
            continue;
        }
        line += advances[code];
        if (line > widest)
            widest = line;
    }
    return widest;
}

void Font::DrawText(const String& text, float x, float y, float scale) {
    Array<GlyphQuad> quads;
    LayoutText(text, x, y, scale, quads);
    const int perBatch = stream->GetCapacity() / 6;
    for (int first = 0; first < quads.Count(); first += perBatch) {
        int last = first + perBatch < quads.Count() ? first + perBatch : quads.Count();
        stream->Begin(Graphics::Triangles);
        for (int q = first; q < last; ++q) {
            const GlyphQuad& g = quads[q];
            // Two counter-clockwise triangles (y grows upwards).
            const float corners[6][4] = {
                {g.x0, g.y0, g.u0, g.v0}, {g.x1, g.y0, g.u1, g.v0}, {g.x1, g.y1, g.u1, g.v1},
                {g.x0, g.y0, g.u0, g.v0}, {g.x1, g.y1, g.u1, g.v1}, {g.x0, g.y1, g.u0, g.v1},
            };
            for (const auto& c : corners) {
                stream->TexCoord(c[2], c[3]);
                stream->Vertex(c[0], c[1], 0.0f);
            }
        }
        stream->End(true);
    }
}

} // namespace Gralith::Utils::Assets
