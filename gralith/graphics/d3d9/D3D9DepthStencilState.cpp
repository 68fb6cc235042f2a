#include "gralith/graphics/d3d9/D3D9DepthStencilState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

namespace Gralith::Graphics {

D3D9DepthStencilState::D3D9DepthStencilState(const DepthStencilStateDesc& desc) {
    ValidateDepthStencilStateDesc(desc);
    depthEnabled = desc.DepthEnabled;
    depthFunction = D3D9Compare(desc.DepthFunction);
    depthWriteEnabled = desc.DepthWriteEnabled;
    stencilEnabled = desc.StencilEnabled;
    stencilFunction = D3D9Compare(desc.StencilFunction);
    reference = desc.StencilReference;
    writeMask = desc.StencilWriteMask;
    readMask = desc.StencilReadMask;
    stencilFail = D3D9StencilOperation(desc.StencilFail);
    stencilDepthFail = D3D9StencilOperation(desc.StencilDepthFail);
    stencilPass = D3D9StencilOperation(desc.StencilPass);
}

void D3D9DepthStencilState::Apply(IDirect3DDevice9* device) const {
    device->SetRenderState(D3DRS_ZENABLE, depthEnabled ? D3DZB_TRUE : D3DZB_FALSE);
    if (depthEnabled) {
        device->SetRenderState(D3DRS_ZFUNC, depthFunction);
        device->SetRenderState(D3DRS_ZWRITEENABLE, depthWriteEnabled ? TRUE : FALSE);
    }
    device->SetRenderState(D3DRS_STENCILENABLE, stencilEnabled ? TRUE : FALSE);
    if (!stencilEnabled)
        return;
    device->SetRenderState(D3DRS_STENCILFUNC, stencilFunction);
    device->SetRenderState(D3DRS_STENCILREF, reference);
    device->SetRenderState(D3DRS_STENCILWRITEMASK, writeMask);
    device->SetRenderState(D3DRS_STENCILMASK, readMask);
    device->SetRenderState(D3DRS_STENCILFAIL, stencilFail);
    device->SetRenderState(D3DRS_STENCILZFAIL, stencilDepthFail);
    device->SetRenderState(D3DRS_STENCILPASS, stencilPass);
}

} // namespace Gralith::Graphics
