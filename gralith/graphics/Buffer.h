#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

/// Device memory holding vertices or indices.
class Buffer : public Object {
public:
    ~Buffer() override = default;
    /// Copies size bytes (0: the whole buffer) from data to byte offset of the buffer.
    virtual void SetData(const void* data, int offset, int size) = 0;
    /// Maps the buffer and answers the address of byte offset; at most one lock at a time.
    virtual void* Lock(LockMode mode, int offset, int size) = 0;
    virtual void Unlock() = 0;
    /// Size in bytes.
    virtual int GetSize() const = 0;
};

} // namespace Gralith::Graphics
