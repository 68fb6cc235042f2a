#include "gralith/graphics/d3d9/D3D9Texture3D.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"
#include "gralith/graphics/d3d9/D3D9TextureData.h"

namespace Gralith::Graphics {

D3D9Texture3D::D3D9Texture3D(D3D9Device* device, int width, int height, int depth, PixelFormat format, bool renderable)
    : device(device), width(width), height(height), depth(depth), format(format), renderable(renderable) {
    D3DFORMAT d3dFormat = D3D9PixelFormat(format);
    // Direct3D generates mipmaps only for 2D and cube textures.
    DWORD usage = D3D9TextureUsage(format, renderable) & ~static_cast<DWORD>(D3DUSAGE_AUTOGENMIPMAP);
    HRESULT result = device->Get()->CreateVolumeTexture(static_cast<UINT>(width), static_cast<UINT>(height),
                                                        static_cast<UINT>(depth), 0, usage, d3dFormat,
                                                        D3D9TexturePool(renderable), &texture, nullptr);
    if (FAILED(result) || !texture)
        D3D9TextureCreationFailed(result, Messages::D3D9TextureInvalidCall);
}

D3D9Texture3D::~D3D9Texture3D() { texture->Release(); }

IDirect3DBaseTexture9* D3D9Texture3D::GetD3DTexture() const { return texture; }

void D3D9Texture3D::GenerateMipmaps() { texture->GenerateMipSubLevels(); }

void D3D9Texture3D::SetData(int, const void*, bool) {
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    throw Exception(Messages::Texture3DSetData, ErrorUnsupported);
}

Surface* D3D9Texture3D::GetSurface(int) { throw Exception(Messages::Texture3DSurface, ErrorUnsupported); }

} // namespace Gralith::Graphics
