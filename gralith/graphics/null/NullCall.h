#pragma once

namespace Gralith::Graphics {

/// What reached a NullDevice's imaginary platform, in order.
enum NullCallKind {
    NullClear,      ///< Args: flags, stencil
    NullApplyBlend, ///< Object: the state applied
    NullApplyDepthStencil,
    NullApplyRasterizer,
    NullApplyInputLayout, ///< Object: the layout; Args[0]: elements
    NullApplyProgram,
    NullDraw,              ///< Args: first vertex, vertex count, primitive type
    NullDrawIndexed,       ///< Args: first index, index count, primitive type
    NullBufferUpload,      ///< Object: the buffer; Args: offset, size
    NullTextureUpload,     ///< Object: the texture; Args: level, face (-1 for 2D)
    NullGenerateMipmaps,   ///< Object: the texture
    NullBindRenderTargets, ///< Args: colour count, depth bound (0/1)
    NullCopy,              ///< Object: destination surface
    NullPresent,
};

struct NullCall {
    NullCallKind Kind;
    const void* Object;
    int Args[3];
};

} // namespace Gralith::Graphics
