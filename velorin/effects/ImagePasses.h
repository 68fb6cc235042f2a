#pragma once

namespace Gralith::Graphics {
class Texture;
class Texture2D;
} // namespace Gralith::Graphics

namespace Velorin {

/// The scene effect's 2D work: full-screen quads through GeometryStream with TransformStack at
/// identity, so positions are clip-space coordinates. Textures are sampled with
/// LinearClampSampler. The programs ("shaders/texture.cg", "shaders/blur.cg") are fetched on
/// first use and kept for the process.

/// Two triangles over the whole target, texture coordinates 0..1.
void DrawFullScreenQuad();

/// texture x colour over the whole target: replacing, alpha-blended, or added.
void DrawTexture(Gralith::Graphics::Texture* texture, const float colour[4]);
void DrawTextureBlended(Gralith::Graphics::Texture* texture, const float colour[4]);
void DrawTextureAdditive(Gralith::Graphics::Texture* texture, const float colour[4]);

/// Draws source over the whole of destination (downsampling with linear filtering); the window
/// is bound afterwards. A null source or destination throws.
void CopyInto(Gralith::Graphics::Texture* source, Gralith::Graphics::Texture2D* destination);

/// One direction of the blur: source into destination with the texel step (dx, dy); the
/// window is bound afterwards.
void BlurPass(float dx, float dy, Gralith::Graphics::Texture* source, Gralith::Graphics::Texture2D* destination);

/// passes pairs of horizontal and vertical blur passes, the step doubling each pair; the result
/// is in a, b holds the intermediate.
void Blur(int passes, float scale, Gralith::Graphics::Texture2D* a, Gralith::Graphics::Texture2D* b);

/// The opening overlay: texture added with the intro's alpha at MusicTime, zooming into its
/// centre (half size at 0 s, exactly filling the target at 6.25 s).
void DrawIntroZoom(Gralith::Graphics::Texture* texture);

} // namespace Velorin
