#include "gralith/graphics/d3d9/D3D9BlendState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

namespace Gralith::Graphics {

D3D9BlendState::D3D9BlendState(const BlendStateDesc& desc) {
    ValidateBlendStateDesc(desc);
    writeMask = (desc.WriteRed ? D3DCOLORWRITEENABLE_RED : 0) | (desc.WriteGreen ? D3DCOLORWRITEENABLE_GREEN : 0) |
                (desc.WriteBlue ? D3DCOLORWRITEENABLE_BLUE : 0) | (desc.WriteAlpha ? D3DCOLORWRITEENABLE_ALPHA : 0);
    source = D3D9Blend(desc.SourceColor);
    destination = D3D9Blend(desc.DestinationColor);
    sourceAlpha = D3D9Blend(desc.SourceAlpha);
    destinationAlpha = D3D9Blend(desc.DestinationAlpha);
    enabled = desc.BlendEnabled;
}

void D3D9BlendState::Apply(IDirect3DDevice9* device) const {
    device->SetRenderState(D3DRS_COLORWRITEENABLE, writeMask);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, enabled ? TRUE : FALSE);
    if (!enabled)
        return;
    device->SetRenderState(D3DRS_SRCBLEND, source);
    device->SetRenderState(D3DRS_DESTBLEND, destination);
    device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLENDALPHA, sourceAlpha);
    device->SetRenderState(D3DRS_DESTBLENDALPHA, destinationAlpha);
}

} // namespace Gralith::Graphics
