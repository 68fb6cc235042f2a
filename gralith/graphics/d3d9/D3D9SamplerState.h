#pragma once

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/SamplerState.h"

#include <cstdint>

struct IDirect3DDevice9;

namespace Gralith::Graphics {

/// A sampler state held as Direct3D sampler-state values: three address modes and the
/// magnification, minification and mip filters.
class D3D9SamplerState : public SamplerState {
public:
    /// Throws "Illegal filter mode enum" (ErrorInvalidArgument).
    explicit D3D9SamplerState(const SamplerStateDesc& desc);
    /// Sets the six values on a sampler register.
    void Apply(IDirect3DDevice9* device, std::uint32_t sampler) const;
    /// The sampling without a state: wrap in every direction, linear filters and mip filter.
    static void ApplyDefault(IDirect3DDevice9* device, std::uint32_t sampler);

    std::uint32_t GetAddressU() const { return addressU; }
    std::uint32_t GetAddressV() const { return addressV; }
    std::uint32_t GetAddressW() const { return addressW; }
    std::uint32_t GetMagFilter() const { return magFilter; }
    std::uint32_t GetMinFilter() const { return minFilter; }
    std::uint32_t GetMipFilter() const { return mipFilter; }

private:
    std::uint32_t addressU, addressV, addressW;
    std::uint32_t magFilter, minFilter, mipFilter;
};

} // namespace Gralith::Graphics
