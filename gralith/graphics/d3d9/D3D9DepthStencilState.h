#pragma once

#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/Descriptions.h"

#include <cstdint>

struct IDirect3DDevice9;

namespace Gralith::Graphics {

/// A depth-stencil state held as Direct3D render-state values.
class D3D9DepthStencilState : public DepthStencilState {
public:
    /// Throws "Invalid compare function enum" or "Invalid stencil operation enum"
    /// (ErrorInvalidArgument).
    explicit D3D9DepthStencilState(const DepthStencilStateDesc& desc);
    /// Sets the depth test (with its function and writes when on) and the stencil test (with
    /// its function, reference, masks and operations when on).
    void Apply(IDirect3DDevice9* device) const;

    bool IsDepthEnabled() const { return depthEnabled; }
    bool IsDepthWriteEnabled() const { return depthWriteEnabled; }
    bool IsStencilEnabled() const { return stencilEnabled; }
    std::uint32_t GetDepthFunction() const { return depthFunction; }
    std::uint32_t GetStencilFunction() const { return stencilFunction; }
    std::uint32_t GetStencilFail() const { return stencilFail; }
    std::uint32_t GetStencilDepthFail() const { return stencilDepthFail; }
    std::uint32_t GetStencilPass() const { return stencilPass; }

private:
    bool depthEnabled, depthWriteEnabled, stencilEnabled;
    std::uint32_t depthFunction, stencilFunction, reference, writeMask, readMask;
    std::uint32_t stencilFail, stencilDepthFail, stencilPass;
};

} // namespace Gralith::Graphics
