#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Texture3D.h"
#include "gralith/graphics/d3d9/D3D9TextureHandle.h"

struct IDirect3DVolumeTexture9;

namespace Gralith::Graphics {

class D3D9Device;

/// A Direct3D volume texture. It can be sampled, but nothing writes it: uploads and surfaces are
/// refused.
class D3D9Texture3D : public Texture3D, public D3D9TextureHandle {
public:
    D3D9Texture3D(D3D9Device* device, int width, int height, int depth, PixelFormat format, bool renderable);
    ~D3D9Texture3D() override;

    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::Texture3D; }
    void GenerateMipmaps() override;
    /// Throws "SetData() not allowed on renderable textures" (ErrorInvalidState) or "3d
    /// textures SetData not implemented" (ErrorUnsupported).
    void SetData(int level, const void* data, bool generateMipmaps) override;
    /// Throws "Can not get surfaces from 3d-textures" (ErrorUnsupported).
    Surface* GetSurface(int level) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    int GetDepth() const override { return depth; }

    IDirect3DBaseTexture9* GetD3DTexture() const override;

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    IDirect3DVolumeTexture9* texture = nullptr;
    int width;
    int height;
    int depth;
    PixelFormat format;
    bool renderable;
};

} // namespace Gralith::Graphics
