#pragma once

#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

/// How a PixelFormat is stored in OpenGL (values are GL enumerants).
struct GLFormatRecord {
    unsigned int PixelFormat;   ///< format of uploaded pixels (or the compressed format)
    unsigned int ComponentType; ///< type of uploaded components
    unsigned int InternalFormat;
    unsigned int Target; ///< texture target
    bool Compressed;
};

// Enumeration values of the device layer mapped to GL enumerants. Each throws the enumeration's
// message (ErrorInvalidArgument) for a value outside its members.

/// "Invalid texture pixel type enum" above 10.
const GLFormatRecord& GLFormat(PixelFormat format);
unsigned int GLPrimitiveType(PrimitiveType type);
unsigned int GLDataType(DataType type);
/// "Buffer mode enum not recognized".
unsigned int GLBufferUsage(BufferMode mode);
unsigned int GLLockAccess(LockMode mode);
unsigned int GLIndexType(IndexType type);
unsigned int GLCompareFunction(CompareFunction function);
unsigned int GLStencilOperation(StencilOperation operation);
unsigned int GLBlendOperand(BlendOperand operand);
/// "Invalid texture face enum".
unsigned int GLCubeFace(CubeFace face);
unsigned int GLClearMask(int flags);

} // namespace Gralith::Graphics
