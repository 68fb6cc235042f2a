#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/graphics/d3d9/D3D9Api.h"

namespace Gralith::Graphics {

// The device layer's enumerations as Direct3D 9 values. The state enumerations are checked by
// the shared description checks before they get here; the others throw their backend message.

/// Throws "Unsupported pixel format" (ErrorInvalidArgument) above 10.
D3DFORMAT D3D9PixelFormat(PixelFormat format);
/// The window's depth buffer: Depth32Float is lockable; the fourth member is refused with
/// ErrorUnsupported, anything else with ErrorInvalidArgument.
D3DFORMAT D3D9DepthStencilFormat(DepthStencilFormat format);

/// A primitive type as Direct3D draws it: primitives = (vertices - offset) / divisor.
struct D3D9Primitive {
    D3DPRIMITIVETYPE Kind;
    int Divisor;
    int Offset;

    /// Number of whole primitives in vertexCount vertices (0 when too few for one).
    int Count(int vertexCount) const { return vertexCount > Offset ? (vertexCount - Offset) / Divisor : 0; }
};
/// Throws "Unsupported primitive type" (ErrorInvalidArgument).
D3D9Primitive D3D9PrimitiveOf(PrimitiveType type);

D3DCMPFUNC D3D9Compare(CompareFunction function);
/// Increment and decrement wrap around.
D3DSTENCILOP D3D9StencilOperation(StencilOperation operation);
D3DBLEND D3D9Blend(BlendOperand operand);
/// None, point or linear; throws "Illegal filter mode enum" (ErrorInvalidArgument).
D3DTEXTUREFILTERTYPE D3D9Filter(FilterMode mode);
/// Throws "Illegal filter mode enum" (ErrorInvalidArgument), as the filters do.
D3DTEXTUREADDRESS D3D9Address(AddressMode mode);
/// Throws "Invalid cube face enum" (ErrorInvalidArgument).
D3DCUBEMAP_FACES D3D9CubeFace(CubeFace face);
/// The winding culled: Direct3D names the culled faces, the device layer the front faces.
D3DCULL D3D9Cull(CullMode mode, bool frontCounterClockwise);
/// IndexType16 selects 16-bit indices, every other value 32-bit ones.
D3DFORMAT D3D9IndexFormat(IndexType type);
/// ClearFlags bits as D3DCLEAR bits.
DWORD D3D9ClearFlags(int flags);
/// The declaration type of a vertex element; throws the element messages of the backend.
D3DDECLTYPE D3D9DeclarationType(DataType type, int componentCount, bool normalized);

} // namespace Gralith::Graphics
