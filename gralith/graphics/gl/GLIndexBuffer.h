#pragma once

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/gl/GLBufferObject.h"

#include <cstdint>
#include <vector>

namespace Gralith::Graphics {

class GLIndexBuffer : public IndexBuffer {
public:
    GLIndexBuffer(GLDevice* device, BufferMode mode, int size, IndexType type);
    void SetData(const void* data, int offset, int size) override;
    void* Lock(LockMode mode, int offset, int size) override;
    void Unlock() override;
    int GetSize() const override { return buffer.Size(); }
    IndexType GetIndexType() const override { return type; }
    /// GL_UNSIGNED_SHORT or GL_UNSIGNED_INT.
    unsigned int GetGLIndexType() const { return glType; }
    unsigned int GetName() const { return buffer.Name(); }
    /// The largest of count indices from index first (the range lies inside the buffer).
    std::uint32_t LargestIndex(int first, int count);

private:
    GLBufferObject buffer;
    IndexType type;
    unsigned int glType;
    // What the driver holds, kept here too: draws check every index they use against the
    // vertex buffers, and reading the driver's copy back would stall each draw.
    std::vector<unsigned char> copy;
    unsigned char* locked = nullptr; ///< the mapped range of a lock that may write
    int lockedOffset = 0;
    int lockedSize = 0;
    // Frames draw the same ranges again and again: the last answer, until the indices change.
    int lastFirst = -1;
    int lastCount = -1;
    std::uint32_t lastLargest = 0;
};

} // namespace Gralith::Graphics
