#include "gralith/graphics/gl/GLIndexBuffer.h"

#include "gralith/graphics/DeviceImpl.h"
#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace Gralith::Graphics {

GLIndexBuffer::GLIndexBuffer(GLDevice* device, BufferMode mode, int size, IndexType type)
    : buffer(device, GL_ELEMENT_ARRAY_BUFFER, mode, size), type(type == IndexType16 ? IndexType16 : IndexType32),
      glType(GLIndexType(type)), copy(static_cast<std::size_t>(size > 0 ? size : 0), 0) {}

void GLIndexBuffer::SetData(const void* data, int offset, int size) {
    buffer.SetData(data, offset, size);
    if (size == 0)
        size = buffer.Size() - offset;
    if (data)
        std::memcpy(copy.data() + offset, data, static_cast<std::size_t>(size));
    lastCount = -1;
}

void* GLIndexBuffer::Lock(LockMode mode, int offset, int size) {
    auto* mapped = static_cast<unsigned char*>(buffer.Lock(mode, offset, size));
    if (mode != LockReadOnly) {
        locked = mapped;
        lockedOffset = offset;
        lockedSize = size == 0 ? buffer.Size() - offset : size;
    }
    return mapped;
}

void GLIndexBuffer::Unlock() {
    if (locked) {
        std::memcpy(copy.data() + lockedOffset, locked, static_cast<std::size_t>(lockedSize));
        locked = nullptr;
        lastCount = -1;
    }
    buffer.Unlock();
}

std::uint32_t GLIndexBuffer::LargestIndex(int first, int count) {
    if (first != lastFirst || count != lastCount) {
        lastLargest = DeviceImpl::LargestIndexIn(copy.data(), type, first, count);
        lastFirst = first;
        lastCount = count;
    }
    return lastLargest;
}

} // namespace Gralith::Graphics
