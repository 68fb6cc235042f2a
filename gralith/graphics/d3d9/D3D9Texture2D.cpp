#include "gralith/graphics/d3d9/D3D9Texture2D.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"
#include "gralith/graphics/d3d9/D3D9Surface.h"
#include "gralith/graphics/d3d9/D3D9TextureData.h"

namespace Gralith::Graphics {

D3D9Texture2D::D3D9Texture2D(D3D9Device* device, int width, int height, PixelFormat format, bool renderable)
    : device(device), width(width), height(height), format(format), renderable(renderable) {
    D3DFORMAT d3dFormat = D3D9PixelFormat(format);
    HRESULT result = device->Get()->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 0,
                                                  D3D9TextureUsage(format, renderable), d3dFormat,
                                                  D3D9TexturePool(renderable), &texture, nullptr);
    if (FAILED(result) || !texture)
        D3D9TextureCreationFailed(result, Messages::D3D9TextureInvalidCall2D);
}

D3D9Texture2D::~D3D9Texture2D() {
    for (D3D9Surface* surface : surfaces)
        if (surface)
            surface->Release();
    texture->Release();
}

IDirect3DBaseTexture9* D3D9Texture2D::GetD3DTexture() const { return texture; }

void D3D9Texture2D::GenerateMipmaps() { texture->GenerateMipSubLevels(); }

void D3D9Texture2D::SetData(int level, const void* data, bool generateMipmaps) {
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    D3D9CheckLevel(level, width, height);
    D3D9CheckUploadFormat(format);
    if (data) {
        D3DLOCKED_RECT locked = {};
        if (FAILED(texture->LockRect(static_cast<UINT>(level), &locked, nullptr, 0)))
            throw Exception(Messages::D3D9TextureLock, ErrorGeneral);
        D3D9CopyLevel(format, width >> level, height >> level, data, locked.pBits, locked.Pitch);
        texture->UnlockRect(static_cast<UINT>(level));
        ++device->Statistics().TextureUploads;
    }
    if (generateMipmaps)
        GenerateMipmaps();
}

Surface* D3D9Texture2D::GetSurface(int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    D3D9CheckLevel(level, width, height);
    if (!surfaces[level]) {
        IDirect3DSurface9* surface = nullptr;
        if (FAILED(texture->GetSurfaceLevel(static_cast<UINT>(level), &surface)) || !surface)
            throw Exception(Messages::D3D9TextureSurface, ErrorUnsupported);
        surfaces[level] = new D3D9Surface(device.Get(), surface, renderable, false);
    }
    return surfaces[level];
}

} // namespace Gralith::Graphics
