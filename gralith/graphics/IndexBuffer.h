#pragma once

#include "gralith/graphics/Buffer.h"

namespace Gralith::Graphics {

class IndexBuffer : public Buffer {
public:
    /// IndexType16 (1) for 16-bit buffers, IndexType32 (0) for 32-bit ones.
    virtual IndexType GetIndexType() const = 0;
};

} // namespace Gralith::Graphics
