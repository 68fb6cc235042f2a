#include "gralith/graphics/d3d9/D3D9Surface.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Api.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

namespace Gralith::Graphics {

D3D9Surface::D3D9Surface(D3D9Device* device, IDirect3DSurface9* surface, bool renderable, bool holdDevice)
    : device(device), holdsDevice(holdDevice), surface(surface), renderable(renderable) {
    if (holdsDevice)
        device->AddRef();
    D3DSURFACE_DESC desc = {};
    if (SUCCEEDED(surface->GetDesc(&desc))) {
        width = static_cast<int>(desc.Width);
        height = static_cast<int>(desc.Height);
        format = desc.Format;
        samples = desc.MultiSampleType == D3DMULTISAMPLE_NONMASKABLE ? 1 : static_cast<int>(desc.MultiSampleType);
        depth = (desc.Usage & D3DUSAGE_DEPTHSTENCIL) != 0;
    }
}

D3D9Surface::~D3D9Surface() {
    surface->Release();
    if (holdsDevice)
        device->Release();
}

void D3D9Surface::Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY,
                       int dstWidth, int dstHeight, FilterMode filter) {
    auto* from = dynamic_cast<D3D9Surface*>(source);
    if (!from)
        throw Exception(Messages::CopyInvalidSurface, ErrorGeneral);
    if (!renderable || !from->renderable)
        throw Exception(Messages::D3D9CopyNotRenderable, ErrorInvalidState);
    if (filter < FilterNone || filter > FilterLinear)
        throw Exception(Messages::D3D9CopyFilter, ErrorInvalidArgument);
    RECT sourceRect = {srcX, srcY, srcX + srcWidth, srcY + srcHeight};
    RECT destinationRect = {dstX, dstY, dstX + dstWidth, dstY + dstHeight};
    if (FAILED(device->Get()->StretchRect(from->surface, &sourceRect, surface, &destinationRect, D3D9Filter(filter))))
        throw Exception(Messages::D3D9CopyFailed, ErrorUnsupported);
}

} // namespace Gralith::Graphics
