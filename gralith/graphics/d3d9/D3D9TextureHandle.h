#pragma once

struct IDirect3DBaseTexture9;

namespace Gralith::Graphics {

/// What sampler parameters need of every texture of this backend.
class D3D9TextureHandle {
public:
    virtual IDirect3DBaseTexture9* GetD3DTexture() const = 0;

protected:
    ~D3D9TextureHandle() = default;
};

} // namespace Gralith::Graphics
