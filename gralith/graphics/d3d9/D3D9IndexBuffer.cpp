#include "gralith/graphics/d3d9/D3D9IndexBuffer.h"

#include "gralith/graphics/d3d9/D3D9BufferStore.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"

namespace Gralith::Graphics {

D3D9IndexBuffer::D3D9IndexBuffer(D3D9Device* device, BufferMode mode, int size, IndexType type)
    : device(device), mode(mode), type(type == IndexType16 ? IndexType16 : IndexType32) {
    if (mode < BufferModeStatic || mode > BufferModeVolatile)
        throw Exception(Messages::InvalidBufferMode, ErrorInvalidArgument);
    if (size < 0)
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    store = std::make_unique<D3D9BufferStore<IDirect3DIndexBuffer9>>(size, Messages::D3D9LockIndexBuffer);
    HRESULT result = device->Get()->CreateIndexBuffer(static_cast<UINT>(size), D3DUSAGE_DYNAMIC, D3D9IndexFormat(type),
                                                      D3DPOOL_DEFAULT, &store->buffer, nullptr);
    if (FAILED(result))
        throw Exception(Messages::IndexBufferCreation, ErrorGeneral);
    copy.assign(static_cast<size_t>(size), 0);
}

D3D9IndexBuffer::~D3D9IndexBuffer() = default;

void D3D9IndexBuffer::SetData(const void* data, int offset, int size) {
    bool whole = size == 0 || size == store->size;
    size = store->CheckRange(offset, size);
    store->Write(data, offset, size, mode == BufferModeVolatile && whole);
    if (data && size > 0)
        std::memcpy(copy.data() + offset, data, static_cast<size_t>(size));
    lastCount = -1;
    ++device->Statistics().BufferUploads;
}

void* D3D9IndexBuffer::Lock(LockMode mode, int offset, int size) {
    auto* bytes = static_cast<unsigned char*>(store->Lock(mode, offset, size));
    if (mode != LockReadOnly) {
        locked = bytes;
        lockedOffset = offset;
        lockedSize = store->CheckRange(offset, size);
    }
    return bytes;
}

void D3D9IndexBuffer::Unlock() {
    if (locked) {
        std::memcpy(copy.data() + lockedOffset, locked, static_cast<size_t>(lockedSize));
        locked = nullptr;
        lastCount = -1;
    }
    store->Unlock();
}

int D3D9IndexBuffer::GetSize() const { return store->size; }

IDirect3DIndexBuffer9* D3D9IndexBuffer::Get() const { return store->buffer; }

std::uint32_t D3D9IndexBuffer::LargestIndex(int first, int count) {
    if (first != lastFirst || count != lastCount) {
        lastLargest = DeviceImpl::LargestIndexIn(copy.data(), type, first, count);
        lastFirst = first;
        lastCount = count;
    }
    return lastLargest;
}

} // namespace Gralith::Graphics
