#pragma once

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/Descriptions.h"

#include <cstdint>

struct IDirect3DDevice9;

namespace Gralith::Graphics {

/// A blend state held as Direct3D render-state values: the colour-write mask (red 1, green 2,
/// blue 4, alpha 8), the four blend factors and the enable flag.
class D3D9BlendState : public BlendState {
public:
    /// Throws "Invalid blend operand enum" (ErrorInvalidArgument).
    explicit D3D9BlendState(const BlendStateDesc& desc);
    /// Sets the write mask, and blending off, or on with separate alpha factors.
    void Apply(IDirect3DDevice9* device) const;

    std::uint32_t GetWriteMask() const { return writeMask; }
    bool IsEnabled() const { return enabled; }
    std::uint32_t GetSource() const { return source; }
    std::uint32_t GetDestination() const { return destination; }
    std::uint32_t GetSourceAlpha() const { return sourceAlpha; }
    std::uint32_t GetDestinationAlpha() const { return destinationAlpha; }

private:
    std::uint32_t writeMask;
    std::uint32_t source, destination, sourceAlpha, destinationAlpha;
    bool enabled;
};

} // namespace Gralith::Graphics
