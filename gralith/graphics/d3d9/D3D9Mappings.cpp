#include "gralith/graphics/d3d9/D3D9Mappings.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

namespace Gralith::Graphics {

D3DFORMAT D3D9PixelFormat(PixelFormat format) {
    static const D3DFORMAT formats[] = {D3DFMT_A8R8G8B8,      D3DFMT_R16F, D3DFMT_R32F,  D3DFMT_A16B16G16R16F,
                                        D3DFMT_A32B32G32R32F, D3DFMT_L8,   D3DFMT_D24S8, D3DFMT_D16,
                                        D3DFMT_DXT1,          D3DFMT_DXT3, D3DFMT_DXT5};
    if (format < PixelFormatR8G8B8A8 || format > PixelFormatDXT5)
        throw Exception(Messages::UnsupportedPixelFormat, ErrorInvalidArgument);
    return formats[format];
}

D3DFORMAT D3D9DepthStencilFormat(DepthStencilFormat format) {
    switch (format) {
    case Depth16: return D3DFMT_D16;
    case Depth24Stencil8: return D3DFMT_D24S8;
    case Depth32Float: return D3DFMT_D32F_LOCKABLE;
    case DepthStencilFormatReserved: throw Exception(Messages::D3D9DepthFormatUnsupported, ErrorUnsupported);
    default: throw Exception(Messages::D3D9InvalidDepthFormat, ErrorInvalidArgument);
    }
}

D3D9Primitive D3D9PrimitiveOf(PrimitiveType type) {
    switch (type) {
    case Points: return {D3DPT_POINTLIST, 1, 0};
    case Lines: return {D3DPT_LINELIST, 2, 0};
    case LineStrip: return {D3DPT_LINESTRIP, 1, 1};
    case Triangles: return {D3DPT_TRIANGLELIST, 3, 0};
    case TriangleStrip: return {D3DPT_TRIANGLESTRIP, 1, 2};
    default: throw Exception(Messages::D3D9UnsupportedPrimitive, ErrorInvalidArgument);
    }
}

D3DCMPFUNC D3D9Compare(CompareFunction function) {
    static const D3DCMPFUNC functions[] = {D3DCMP_ALWAYS,   D3DCMP_LESS,         D3DCMP_LESSEQUAL, D3DCMP_EQUAL,
                                           D3DCMP_NOTEQUAL, D3DCMP_GREATEREQUAL, D3DCMP_GREATER,   D3DCMP_NEVER};
    return functions[function];
}

D3DSTENCILOP D3D9StencilOperation(StencilOperation operation) {
    static const D3DSTENCILOP operations[] = {D3DSTENCILOP_ZERO, D3DSTENCILOP_KEEP, D3DSTENCILOP_REPLACE,
                                              D3DSTENCILOP_INCR, D3DSTENCILOP_DECR, D3DSTENCILOP_INVERT};
    return operations[operation];
}

D3DBLEND D3D9Blend(BlendOperand operand) {
    static const D3DBLEND operands[] = {
        D3DBLEND_ZERO,        D3DBLEND_ONE,       D3DBLEND_SRCALPHA,     D3DBLEND_INVSRCALPHA, D3DBLEND_SRCCOLOR,
        D3DBLEND_INVSRCCOLOR, D3DBLEND_DESTALPHA, D3DBLEND_INVDESTALPHA, D3DBLEND_DESTCOLOR,   D3DBLEND_INVDESTCOLOR};
    return operands[operand];
}

D3DTEXTUREFILTERTYPE D3D9Filter(FilterMode mode) {
    switch (mode) {
    case FilterNone: return D3DTEXF_NONE;
    case FilterPoint: return D3DTEXF_POINT;
    case FilterLinear: return D3DTEXF_LINEAR;
    default: throw Exception(Messages::IllegalFilterMode, ErrorInvalidArgument);
    }
}

D3DTEXTUREADDRESS D3D9Address(AddressMode mode) {
    switch (mode) {
    case AddressWrap: return D3DTADDRESS_WRAP;
    case AddressClamp: return D3DTADDRESS_CLAMP;
    default: throw Exception(Messages::IllegalFilterMode, ErrorInvalidArgument);
    }
}

D3DCUBEMAP_FACES D3D9CubeFace(CubeFace face) {
    static const D3DCUBEMAP_FACES faces[] = {D3DCUBEMAP_FACE_POSITIVE_X, D3DCUBEMAP_FACE_POSITIVE_Y,
                                             D3DCUBEMAP_FACE_POSITIVE_Z, D3DCUBEMAP_FACE_NEGATIVE_X,
                                             D3DCUBEMAP_FACE_NEGATIVE_Y, D3DCUBEMAP_FACE_NEGATIVE_Z};
    if (face < PositiveX || face > NegativeZ)
        throw Exception(Messages::D3D9InvalidCubeFace, ErrorInvalidArgument);
    return faces[face];
}

D3DCULL D3D9Cull(CullMode mode, bool frontCounterClockwise) {
    switch (mode) {
    case CullFront: return frontCounterClockwise ? D3DCULL_CCW : D3DCULL_CW;
    case CullBack: return frontCounterClockwise ? D3DCULL_CW : D3DCULL_CCW;
    default: return D3DCULL_NONE;
    }
}

D3DFORMAT D3D9IndexFormat(IndexType type) { return type == IndexType16 ? D3DFMT_INDEX16 : D3DFMT_INDEX32; }

DWORD D3D9ClearFlags(int flags) {
    DWORD clear = 0;
    if (flags & ClearColor)
        clear |= D3DCLEAR_TARGET;
    if (flags & ClearDepth)
        clear |= D3DCLEAR_ZBUFFER;
    if (flags & ClearStencil)
        clear |= D3DCLEAR_STENCIL;
    return clear;
}

D3DDECLTYPE D3D9DeclarationType(DataType type, int componentCount, bool normalized) {
    switch (type) {
    case DataTypeInt8:
        if (componentCount != 4)
            throw Exception(Messages::D3D9Int8Elements, ErrorUnsupported);
        return normalized ? D3DDECLTYPE_UBYTE4N : D3DDECLTYPE_UBYTE4;
    case DataTypeInt16:
        if (componentCount == 2)
            return normalized ? D3DDECLTYPE_SHORT2N : D3DDECLTYPE_SHORT2;
        if (componentCount == 4)
            return normalized ? D3DDECLTYPE_SHORT4N : D3DDECLTYPE_SHORT4;
        throw Exception(Messages::D3D9Int16Elements, ErrorUnsupported);
    case DataTypeFloat32:
        if (componentCount < 1 || componentCount > 4)
            throw Exception(Messages::D3D9Float32Elements, ErrorUnsupported);
        return static_cast<D3DDECLTYPE>(D3DDECLTYPE_FLOAT1 + componentCount - 1);
    default: throw Exception(Messages::D3D9UnsupportedDataType, ErrorInvalidArgument);
    }
}

} // namespace Gralith::Graphics
