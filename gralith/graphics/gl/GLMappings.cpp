#include "gralith/graphics/gl/GLMappings.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

const GLFormatRecord& GLFormat(PixelFormat format) {
    // Depth24Stencil8 is stored packed, so one texture or renderbuffer carries both depth and
    // stencil and attaches to both attachment points (separate stencil buffers are refused as
    // unsupported by common drivers).
    static const GLFormatRecord records[] = {
        {GL_RGBA, GL_UNSIGNED_BYTE, GL_RGBA8, GL_TEXTURE_2D, false},
        {GL_RGBA, GL_FLOAT, GL_FLOAT_R16_NV, GL_TEXTURE_RECTANGLE_ARB, false},
        {GL_RGBA, GL_FLOAT, GL_FLOAT_R32_NV, GL_TEXTURE_RECTANGLE_ARB, false},
        {GL_RGBA, GL_FLOAT, GL_RGBA16F, GL_TEXTURE_2D, false},
        {GL_RGBA, GL_FLOAT, GL_RGBA32F, GL_TEXTURE_2D, false},
        {GL_LUMINANCE, GL_UNSIGNED_BYTE, GL_LUMINANCE8, GL_TEXTURE_2D, false},
        {GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, GL_DEPTH24_STENCIL8, GL_TEXTURE_2D, false},
        {GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, GL_DEPTH_COMPONENT16, GL_TEXTURE_2D, false},
        {GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, GL_UNSIGNED_BYTE, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, GL_TEXTURE_2D, true},
        {GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, GL_UNSIGNED_BYTE, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, GL_TEXTURE_2D, true},
        {GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, GL_UNSIGNED_BYTE, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, GL_TEXTURE_2D, true},
    };
    if (format < PixelFormatR8G8B8A8 || format > PixelFormatDXT5)
        throw Exception(Messages::InvalidPixelType, ErrorInvalidArgument);
    return records[format];
}

unsigned int GLPrimitiveType(PrimitiveType type) {
    static const unsigned int modes[] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_TRIANGLES, GL_TRIANGLE_STRIP};
    if (type < Points || type > TriangleStrip)
        throw Exception(Messages::InvalidPrimitiveType, ErrorInvalidArgument);
    return modes[type];
}

unsigned int GLDataType(DataType type) {
    static const unsigned int types[] = {GL_BYTE, GL_UNSIGNED_BYTE, GL_SHORT, GL_UNSIGNED_SHORT, GL_FLOAT};
    if (type < DataTypeInt8 || type > DataTypeFloat32)
        throw Exception(Messages::InvalidDataType, ErrorInvalidArgument);
    return types[type];
}

unsigned int GLBufferUsage(BufferMode mode) {
    static const unsigned int usages[] = {GL_STATIC_DRAW, GL_DYNAMIC_READ, GL_DYNAMIC_DRAW};
    if (mode < BufferModeStatic || mode > BufferModeVolatile)
        throw Exception(Messages::UnrecognizedBufferMode, ErrorInvalidArgument);
    return usages[mode];
}

unsigned int GLLockAccess(LockMode mode) {
    static const unsigned int access[] = {GL_READ_ONLY, GL_WRITE_ONLY, GL_READ_WRITE};
    if (mode < LockReadOnly || mode > LockReadWrite)
        throw Exception(Messages::InvalidLockMode, ErrorInvalidState);
    return access[mode];
}

unsigned int GLIndexType(IndexType type) { return type == IndexType16 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT; }

unsigned int GLCompareFunction(CompareFunction function) {
    static const unsigned int functions[] = {GL_ALWAYS,   GL_LESS,   GL_LEQUAL,  GL_EQUAL,
                                             GL_NOTEQUAL, GL_GEQUAL, GL_GREATER, GL_NEVER};
    if (function < Always || function > Never)
        throw Exception(Messages::InvalidCompareFunction, ErrorInvalidArgument);
    return functions[function];
}

unsigned int GLStencilOperation(StencilOperation operation) {
    static const unsigned int operations[] = {GL_ZERO, GL_KEEP, GL_REPLACE, GL_INCR, GL_DECR, GL_INVERT};
    if (operation < StencilZero || operation > StencilInvert)
        throw Exception(Messages::InvalidStencilOperation, ErrorInvalidArgument);
    return operations[operation];
}

unsigned int GLBlendOperand(BlendOperand operand) {
    static const unsigned int operands[] = {GL_ZERO,      GL_ONE,
                                            GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
                                            GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                                            GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                                            GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR};
    if (operand < BlendZero || operand > BlendInvDestColor)
        throw Exception(Messages::InvalidBlendOperand, ErrorInvalidArgument);
    return operands[operand];
}

unsigned int GLCubeFace(CubeFace face) {
    static const unsigned int faces[] = {GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Y,
                                         GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_X,
                                         GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z};
    if (face < PositiveX || face > NegativeZ)
        throw Exception(Messages::InvalidTextureFace, ErrorInvalidArgument);
    return faces[face];
}

unsigned int GLClearMask(int flags) {
    unsigned int mask = 0;
    if (flags & ClearColor)
        mask |= GL_COLOR_BUFFER_BIT;
    if (flags & ClearDepth)
        mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & ClearStencil)
        mask |= GL_STENCIL_BUFFER_BIT;
    return mask;
}

} // namespace Gralith::Graphics
