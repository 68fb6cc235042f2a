#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/IndexBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

struct IDirect3DIndexBuffer9;

namespace Gralith::Graphics {

class D3D9Device;
template <class Interface>
class D3D9BufferStore;

/// A Direct3D index buffer, dynamic in the default pool whatever its mode; a volatile one
/// replaced whole is written with discard.
class D3D9IndexBuffer : public IndexBuffer {
public:
    /// Throws "Invalid buffer mode enum" (ErrorInvalidArgument) or "Error creating index
    /// buffer" (ErrorGeneral).
    D3D9IndexBuffer(D3D9Device* device, BufferMode mode, int size, IndexType type);
    ~D3D9IndexBuffer() override;

    void SetData(const void* data, int offset, int size) override;
    void* Lock(LockMode mode, int offset, int size) override;
    void Unlock() override;
    int GetSize() const override;
    IndexType GetIndexType() const override { return type; }

    IDirect3DIndexBuffer9* Get() const;
    /// The largest of count indices from index first (the range lies inside the buffer).
    std::uint32_t LargestIndex(int first, int count);

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    std::unique_ptr<D3D9BufferStore<IDirect3DIndexBuffer9>> store;
    BufferMode mode;
    IndexType type;
    // What Direct3D holds, kept here too: draws check every index they use against the vertex
    // buffers, and reading a default-pool buffer back would stall each draw.
    std::vector<unsigned char> copy;
    unsigned char* locked = nullptr; ///< the range of a lock that may write
    int lockedOffset = 0;
    int lockedSize = 0;
    int lastFirst = -1;
    int lastCount = -1;
    std::uint32_t lastLargest = 0;
};

} // namespace Gralith::Graphics
