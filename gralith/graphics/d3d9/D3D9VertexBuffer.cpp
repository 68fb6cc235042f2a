#include "gralith/graphics/d3d9/D3D9VertexBuffer.h"

#include "gralith/graphics/d3d9/D3D9BufferStore.h"
#include "gralith/graphics/d3d9/D3D9Device.h"

namespace Gralith::Graphics {

D3D9VertexBuffer::D3D9VertexBuffer(D3D9Device* device, BufferMode mode, int size, int stride)
    : device(device), mode(mode), stride(stride) {
    if (mode < BufferModeStatic || mode > BufferModeVolatile)
        throw Exception(Messages::InvalidBufferMode, ErrorInvalidArgument);
    if (size < 0)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    store = std::make_unique<D3D9BufferStore<IDirect3DVertexBuffer9>>(size, Messages::D3D9LockVertexBuffer);
    bool volatileBuffer = mode == BufferModeVolatile;
    HRESULT result = device->Get()->CreateVertexBuffer(
        static_cast<UINT>(size), volatileBuffer ? D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY : 0, 0,
        volatileBuffer ? D3DPOOL_DEFAULT : D3DPOOL_MANAGED, &store->buffer, nullptr);
    if (FAILED(result))
        throw Exception(Messages::VertexBufferCreation, ErrorGeneral);
}

D3D9VertexBuffer::~D3D9VertexBuffer() = default;

void D3D9VertexBuffer::SetData(const void* data, int offset, int size) {
    size = store->CheckRange(offset, size);
    store->Write(data, offset, size, mode == BufferModeVolatile);
    ++device->Statistics().BufferUploads;
}

void* D3D9VertexBuffer::Lock(LockMode mode, int offset, int size) { return store->Lock(mode, offset, size); }

void D3D9VertexBuffer::Unlock() { store->Unlock(); }

int D3D9VertexBuffer::GetSize() const { return store->size; }

IDirect3DVertexBuffer9* D3D9VertexBuffer::Get() const { return store->buffer; }

} // namespace Gralith::Graphics
