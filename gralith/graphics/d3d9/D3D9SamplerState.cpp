#include "gralith/graphics/d3d9/D3D9SamplerState.h"

#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

namespace Gralith::Graphics {

namespace {

void Set(IDirect3DDevice9* device, std::uint32_t sampler, std::uint32_t u, std::uint32_t v, std::uint32_t w,
         std::uint32_t mag, std::uint32_t min, std::uint32_t mip) {
    device->SetSamplerState(sampler, D3DSAMP_ADDRESSU, u);
    device->SetSamplerState(sampler, D3DSAMP_ADDRESSV, v);
    device->SetSamplerState(sampler, D3DSAMP_ADDRESSW, w);
    device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, mag);
    device->SetSamplerState(sampler, D3DSAMP_MINFILTER, min);
    device->SetSamplerState(sampler, D3DSAMP_MIPFILTER, mip);
}

} // namespace

D3D9SamplerState::D3D9SamplerState(const SamplerStateDesc& desc) {
    ValidateSamplerStateDesc(desc);
    addressU = D3D9Address(desc.AddressU);
    addressV = D3D9Address(desc.AddressV);
    addressW = D3D9Address(desc.AddressW);
    magFilter = D3D9Filter(desc.MagFilter);
    minFilter = D3D9Filter(desc.MinFilter);
    mipFilter = D3D9Filter(desc.MipFilter);
}

void D3D9SamplerState::Apply(IDirect3DDevice9* device, std::uint32_t sampler) const {
    Set(device, sampler, addressU, addressV, addressW, magFilter, minFilter, mipFilter);
}

void D3D9SamplerState::ApplyDefault(IDirect3DDevice9* device, std::uint32_t sampler) {
    Set(device, sampler, D3DTADDRESS_WRAP, D3DTADDRESS_WRAP, D3DTADDRESS_WRAP, D3DTEXF_LINEAR, D3DTEXF_LINEAR,
        D3DTEXF_LINEAR);
}

} // namespace Gralith::Graphics
