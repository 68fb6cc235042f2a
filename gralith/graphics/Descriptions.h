#pragma once

#include "gralith/graphics/Enums.h"

#include <cstdint>

namespace Gralith::Graphics {

// Plain records handed to the create operations. Field order and widths are part of the
// interface: callers fill them field by field and the render-state holder keeps copies.

struct SamplerStateDesc {
    FilterMode MagFilter; ///< point or linear
    FilterMode MinFilter; ///< point or linear
    FilterMode MipFilter; ///< none, point or linear
    AddressMode AddressU;
    AddressMode AddressV;
    AddressMode AddressW;
};

struct RasterizerStateDesc {
    float PointSize;
    float LineWidth;
    std::int32_t FrontCounterClockwise; ///< non-zero: counter-clockwise faces are front faces
    CullMode Cull;
    bool ScissorEnabled;
};

struct DepthStencilStateDesc {
    bool DepthEnabled;
    CompareFunction DepthFunction;
    bool DepthWriteEnabled;
    bool StencilEnabled;
    CompareFunction StencilFunction;
    std::uint32_t StencilReference;
    std::uint32_t StencilReadMask;
    std::uint32_t StencilWriteMask;
    StencilOperation StencilFail;      ///< the stencil test fails
    StencilOperation StencilDepthFail; ///< the stencil test passes, the depth test fails
    StencilOperation StencilPass;      ///< both pass
};

struct BlendStateDesc {
    bool BlendEnabled;
    BlendOperand SourceColor;
    BlendOperand DestinationColor;
    BlendOperand SourceAlpha;
    BlendOperand DestinationAlpha;
    bool WriteRed;
    bool WriteGreen;
    bool WriteBlue;
    bool WriteAlpha;
};

/// One vertex element: where it comes from and which attribute slot (0-15) it feeds.
struct InputElementDesc {
    std::int32_t Semantic;       ///< attribute slot 0-15
    std::int32_t Stream;         ///< vertex-buffer stream 0-15
    std::int32_t ComponentCount; ///< 1-4
    std::int32_t Offset;         ///< bytes from the start of a vertex
    DataType Type;
    std::int32_t Normalized; ///< boolean in the low byte: integers map to 0..1 or -1..1
};

/// A viewport or scissor rectangle; OpenGL counts y from the bottom of the target.
struct Rect {
    std::int32_t X;
    std::int32_t Y;
    std::int32_t Width;
    std::int32_t Height;

    bool operator==(const Rect& o) const { return X == o.X && Y == o.Y && Width == o.Width && Height == o.Height; }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

} // namespace Gralith::Graphics
