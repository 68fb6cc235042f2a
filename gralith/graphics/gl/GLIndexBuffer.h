#pragma once

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/gl/GLBufferObject.h"

namespace Gralith::Graphics {

class GLIndexBuffer : public IndexBuffer {
public:
    GLIndexBuffer(GLDevice* device, BufferMode mode, int size, IndexType type);
    void SetData(const void* data, int offset, int size) override { buffer.SetData(data, offset, size); }
    void* Lock(LockMode mode, int offset, int size) override { return buffer.Lock(mode, offset, size); }
    void Unlock() override { buffer.Unlock(); }
    int GetSize() const override { return buffer.Size(); }
    IndexType GetIndexType() const override { return type; }
    /// GL_UNSIGNED_SHORT or GL_UNSIGNED_INT.
    unsigned int GetGLIndexType() const { return glType; }
    unsigned int GetName() const { return buffer.Name(); }

private:
    GLBufferObject buffer;
    IndexType type;
    unsigned int glType;
};

} // namespace Gralith::Graphics
