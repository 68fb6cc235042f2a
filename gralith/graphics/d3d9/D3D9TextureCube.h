#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/d3d9/D3D9TextureHandle.h"

struct IDirect3DCubeTexture9;

namespace Gralith::Graphics {

class D3D9Device;
class D3D9Surface;

/// A Direct3D cube texture; each face as a 2D texture.
class D3D9TextureCube : public TextureCube, public D3D9TextureHandle {
public:
    D3D9TextureCube(D3D9Device* device, int size, PixelFormat format, bool renderable);
    ~D3D9TextureCube() override;

    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::TextureCube; }
    void GenerateMipmaps() override;
    /// Throws "Invalid cube face enum" (ErrorInvalidArgument) for a face outside 0-5.
    void SetData(CubeFace face, int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(CubeFace face, int level) override;
    int GetSize() const override { return size; }

    IDirect3DBaseTexture9* GetD3DTexture() const override;
    bool IsRenderable() const { return renderable; }

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    IDirect3DCubeTexture9* texture = nullptr;
    int size;
    PixelFormat format;
    bool renderable;
    D3D9Surface* surfaces[6][16] = {};
};

} // namespace Gralith::Graphics
