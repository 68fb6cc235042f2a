#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

class GLDevice;

/// The GL buffer object behind a vertex or an index buffer.
class GLBufferObject {
public:
    /// target: GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER. Throws for a bad mode or size.
    GLBufferObject(GLDevice* device, unsigned int target, BufferMode mode, int size);
    /// Deletes the buffer object, unmapping it first when it is still locked.
    ~GLBufferObject();
    GLBufferObject(const GLBufferObject&) = delete;
    GLBufferObject& operator=(const GLBufferObject&) = delete;

    void SetData(const void* data, int offset, int size);
    void* Lock(LockMode mode, int offset, int size);
    void Unlock();
    int Size() const { return size; }
    unsigned int Name() const { return name; }
    bool IsLocked() const { return locked; }

private:
    Ref<GLDevice> device; ///< held: the device outlives what it made
    unsigned int name = 0;
    unsigned int target;
    unsigned int usage;
    int size;
    bool locked = false;
};

} // namespace Gralith::Graphics
