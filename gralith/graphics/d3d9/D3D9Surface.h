#pragma once

#include "gralith/graphics/Surface.h"

#include <cstdint>

struct IDirect3DSurface9;

namespace Gralith::Graphics {

class D3D9Device;

/// A Direct3D surface: the back buffer, a stand-alone render target or depth-stencil surface, or
/// one level (and face) of a texture, renderable when its texture is.
class D3D9Surface : public Surface {
public:
    /// Takes over the caller's reference to surface. holdDevice: keep the device alive (not for
    /// the back buffer, which the device owns, nor for texture levels, whose texture holds it).
    D3D9Surface(D3D9Device* device, IDirect3DSurface9* surface, bool renderable, bool holdDevice);
    ~D3D9Surface() override;

    /// Stretches a rectangle of source into one of this surface. Throws "Surface::Copy(): Source
    /// and destination surfaces must be renderable" (ErrorInvalidState), "Surface::Copy(): Illegal
    /// filter mode enum" (ErrorInvalidArgument) or "Surface::Copy(): Unable to perform the copy
    /// operation" (ErrorUnsupported).
    void Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY, int dstWidth,
              int dstHeight, FilterMode filter) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }

    IDirect3DSurface9* Get() const { return surface; }
    bool IsRenderable() const { return renderable; }
    bool IsDepth() const { return depth; }
    /// The D3DFORMAT.
    std::uint32_t GetD3DFormat() const { return format; }
    /// Samples per pixel, 0 when not multisampled.
    int GetSamples() const { return samples; }

private:
    D3D9Device* device;
    bool holdsDevice;
    IDirect3DSurface9* surface;
    int width = 0;
    int height = 0;
    std::uint32_t format = 0;
    int samples = 0;
    bool renderable;
    bool depth = false;
};

} // namespace Gralith::Graphics
