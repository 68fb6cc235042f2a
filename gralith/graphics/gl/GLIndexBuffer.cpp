#include "gralith/graphics/gl/GLIndexBuffer.h"

#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLIndexBuffer::GLIndexBuffer(GLDevice* device, BufferMode mode, int size, IndexType type)
    : buffer(device, GL_ELEMENT_ARRAY_BUFFER, mode, size), type(type == IndexType16 ? IndexType16 : IndexType32),
      glType(GLIndexType(type)) {}

} // namespace Gralith::Graphics
