#pragma once

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/RasterizerState.h"

#include <cstdint>

struct IDirect3DDevice9;

namespace Gralith::Graphics {

/// A rasterizer state held as Direct3D values: point size, line width (Direct3D 9 draws every
/// line one pixel wide), the cull mode for the description's winding, and the scissor test.
class D3D9RasterizerState : public RasterizerState {
public:
    /// Throws "Invalid cull face enum" (ErrorInvalidArgument).
    explicit D3D9RasterizerState(const RasterizerStateDesc& desc);
    void Apply(IDirect3DDevice9* device) const;

    float GetPointSize() const { return pointSize; }
    float GetLineWidth() const { return lineWidth; }
    std::uint32_t GetCullMode() const { return cullMode; }
    bool IsScissorEnabled() const { return scissorEnabled; }

private:
    float pointSize;
    float lineWidth;
    std::uint32_t cullMode;
    bool scissorEnabled;
};

} // namespace Gralith::Graphics
