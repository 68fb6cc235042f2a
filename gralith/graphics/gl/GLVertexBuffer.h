#pragma once

#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/gl/GLBufferObject.h"

namespace Gralith::Graphics {

class GLVertexBuffer : public VertexBuffer {
public:
    GLVertexBuffer(GLDevice* device, BufferMode mode, int size, int stride);
    void SetData(const void* data, int offset, int size) override { buffer.SetData(data, offset, size); }
    void* Lock(LockMode mode, int offset, int size) override { return buffer.Lock(mode, offset, size); }
    void Unlock() override { buffer.Unlock(); }
    int GetSize() const override { return buffer.Size(); }
    int GetStride() const override { return stride; }
    unsigned int GetName() const { return buffer.Name(); }

private:
    GLBufferObject buffer;
    int stride;
};

} // namespace Gralith::Graphics
