#pragma once

#include "gralith/graphics/Buffer.h"

namespace Gralith::Graphics {

class VertexBuffer : public Buffer {
public:
    /// Bytes from one vertex to the next; the stride of every stream this buffer is bound to.
    virtual int GetStride() const = 0;
};

} // namespace Gralith::Graphics
