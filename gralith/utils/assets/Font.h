#pragma once

#include "gralith/Ref.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

namespace Gralith::Graphics {
class Device;
class Texture2D;
} // namespace Gralith::Graphics
namespace Gralith::Utils {
class GeoStream;
}

namespace Gralith::Utils::Assets {

/// A rasterised font (type 10): the 256 glyphs of character codes 0-255 in a 16 x 16 grid of
/// pixel-size cells on one RGBA texture (white, coverage in alpha), with each glyph's texture
/// rectangle, placement offset and pen advance in pixels.
class Font : public Asset {
public:
    /// One glyph placed on screen: a rectangle in pixels (y grows upwards) and the matching
    /// rectangle of the atlas texture.
    struct GlyphQuad {
        int code;
        float x0, y0, x1, y1;
        float u0, v0, u1, v1;
    };

    static constexpr int GlyphCount = 256;
    /// Vertices of the font's geometry stream: 4096 glyphs of two triangles per batch.
    static constexpr int StreamCapacity = 24576;

    /// Creates the geometry stream on device (borrowed).
    explicit Font(Graphics::Device* device);
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int GetType() const override { return AssetFont; }

    void SetGlyphRect(int code, float uMin, float vMin, float uMax, float vMax);
    void SetGlyphOffset(int code, float left, float top);
    void SetGlyphAdvance(int code, float advance);
    /// Takes over the caller's reference.
    void SetTexture(Graphics::Texture2D* texture);
    void SetPixelSize(float size) { pixelSize = size; }
    void SetColor(float red, float green, float blue, float alpha);

    /// uMin, vMin, uMax, vMax of one glyph (codes outside 0-255 read glyph 0).
    const float* GetGlyphRect(int code) const { return rects[Index(code)]; }
    /// left, top of one glyph.
    const float* GetGlyphOffset(int code) const { return offsets[Index(code)]; }
    float GetGlyphAdvance(int code) const { return advances[Index(code)]; }
    Graphics::Texture2D* GetTexture() const { return texture.Get(); }
    float GetPixelSize() const { return pixelSize; }
    /// Red, green, blue, alpha; for the caller's shader, since stream vertices carry white.
    const float* GetColor() const { return color; }
    GeoStream* GetGeoStream() const { return stream.Get(); }

    /// Lays text out from the pen position (x, baseline y), scaled by scale, appending one quad
    /// per character to out (out is not cleared). "\n" starts a new line one pixel size lower
    /// at x. Returns the pen position after the last character.
    float LayoutText(const String& text, float x, float y, float scale, Array<GlyphQuad>& out) const;
    /// The widest line of text in pixels at scale 1 (the sum of the advances).
    float MeasureText(const String& text) const;
    /// Draws text as textured triangles through the font's geometry stream, in batches of
    /// StreamCapacity vertices. The caller binds a program sampling GetTexture() (alpha holds
    /// the coverage), the blend state and the transform that maps pixels to the screen.
    void DrawText(const String& text, float x, float y, float scale = 1.0f);

    /// The texture coordinate step of one atlas texel: rectangles are built with 1 / (W + 1),
    /// W = 16 x pixel size, which turns a glyph rectangle back into a size in pixels.
    float GetTexelScale() const;

private:
    static int Index(int code) { return code >= 0 && code < GlyphCount ? code : 0; }

    float rects[GlyphCount][4] = {};
    float offsets[GlyphCount][2] = {};
    float advances[GlyphCount] = {};
    Ref<GeoStream> stream;
    Ref<Graphics::Texture2D> texture;
    float pixelSize = 0.0f;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace Gralith::Utils::Assets
