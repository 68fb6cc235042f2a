#include "gralith/graphics/d3d9/D3D9TextureCube.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"
#include "gralith/graphics/d3d9/D3D9Surface.h"
#include "gralith/graphics/d3d9/D3D9TextureData.h"

namespace Gralith::Graphics {

D3D9TextureCube::D3D9TextureCube(D3D9Device* device, int size, PixelFormat format, bool renderable)
    : device(device), size(size), format(format), renderable(renderable) {
    D3DFORMAT d3dFormat = D3D9PixelFormat(format);
    HRESULT result = device->Get()->CreateCubeTexture(static_cast<UINT>(size), 0, D3D9TextureUsage(format, renderable),
                                                      d3dFormat, D3D9TexturePool(renderable), &texture, nullptr);
    if (FAILED(result) || !texture)
        D3D9TextureCreationFailed(result, Messages::D3D9TextureInvalidCall);
}

D3D9TextureCube::~D3D9TextureCube() {
    for (auto& face : surfaces)
        for (D3D9Surface* surface : face)
            if (surface)
                surface->Release();
    texture->Release();
}

IDirect3DBaseTexture9* D3D9TextureCube::GetD3DTexture() const { return texture; }

void D3D9TextureCube::GenerateMipmaps() { texture->GenerateMipSubLevels(); }

void D3D9TextureCube::SetData(CubeFace face, int level, const void* data, bool generateMipmaps) {
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    D3DCUBEMAP_FACES d3dFace = D3D9CubeFace(face);
    D3D9CheckLevel(level, size, size);
    D3D9CheckUploadFormat(format);
    if (data) {
        D3DLOCKED_RECT locked = {};
        if (FAILED(texture->LockRect(d3dFace, static_cast<UINT>(level), &locked, nullptr, 0)))
            throw Exception(Messages::D3D9TextureLock, ErrorGeneral);
        D3D9CopyLevel(format, size >> level, size >> level, data, locked.pBits, locked.Pitch);
        texture->UnlockRect(d3dFace, static_cast<UINT>(level));
        ++device->Statistics().TextureUploads;
    }
    if (generateMipmaps)
        GenerateMipmaps();
}

Surface* D3D9TextureCube::GetSurface(CubeFace face, int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    D3DCUBEMAP_FACES d3dFace = D3D9CubeFace(face);
    D3D9CheckLevel(level, size, size);
    D3D9Surface*& cached = surfaces[face][level];
    if (!cached) {
        IDirect3DSurface9* surface = nullptr;
        if (FAILED(texture->GetCubeMapSurface(d3dFace, static_cast<UINT>(level), &surface)) || !surface)
            throw Exception(Messages::D3D9CubeSurface, ErrorUnsupported);
        cached = new D3D9Surface(device.Get(), surface, renderable, false);
    }
    return cached;
}

} // namespace Gralith::Graphics
