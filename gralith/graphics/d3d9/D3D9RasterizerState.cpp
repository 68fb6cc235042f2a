#include "gralith/graphics/d3d9/D3D9RasterizerState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

#include <cstring>

namespace Gralith::Graphics {

D3D9RasterizerState::D3D9RasterizerState(const RasterizerStateDesc& desc) {
    ValidateRasterizerStateDesc(desc);
    pointSize = desc.PointSize;
    lineWidth = desc.LineWidth;
    cullMode = D3D9Cull(desc.Cull, desc.FrontCounterClockwise != 0);
    scissorEnabled = desc.ScissorEnabled;
}

void D3D9RasterizerState::Apply(IDirect3DDevice9* device) const {
    // Floating-point render states travel as their bits.
    DWORD size;
    std::memcpy(&size, &pointSize, sizeof size);
    device->SetRenderState(D3DRS_POINTSIZE, size);
    device->SetRenderState(D3DRS_CULLMODE, cullMode);
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, scissorEnabled ? TRUE : FALSE);
}

} // namespace Gralith::Graphics
