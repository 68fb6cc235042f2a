#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/VertexBuffer.h"

#include <memory>

struct IDirect3DVertexBuffer9;

namespace Gralith::Graphics {

class D3D9Device;
template <class Interface>
class D3D9BufferStore;

/// A Direct3D vertex buffer: static and dynamic buffers in the managed pool, volatile ones
/// dynamic and write-only in the default pool, rewritten with discard.
class D3D9VertexBuffer : public VertexBuffer {
public:
    /// Throws "Invalid buffer mode enum" (ErrorInvalidArgument) or "Error creating vertex
    /// buffer" (ErrorGeneral).
    D3D9VertexBuffer(D3D9Device* device, BufferMode mode, int size, int stride);
    ~D3D9VertexBuffer() override;

    void SetData(const void* data, int offset, int size) override;
    /// Read-only locks are read-only for Direct3D too; the others lock without flags.
    void* Lock(LockMode mode, int offset, int size) override;
    void Unlock() override;
    int GetSize() const override;
    int GetStride() const override { return stride; }

    IDirect3DVertexBuffer9* Get() const;
    BufferMode GetMode() const { return mode; }

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    std::unique_ptr<D3D9BufferStore<IDirect3DVertexBuffer9>> store;
    BufferMode mode;
    int stride;
};

} // namespace Gralith::Graphics
