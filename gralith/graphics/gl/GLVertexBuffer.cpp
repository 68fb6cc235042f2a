#include "gralith/graphics/gl/GLVertexBuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLVertexBuffer::GLVertexBuffer(GLDevice* device, BufferMode mode, int size, int stride)
    : buffer(device, GL_ARRAY_BUFFER, mode, size), stride(stride) {}

} // namespace Gralith::Graphics
