#pragma once

#include "gralith/Exception.h"
#include "gralith/graphics/Enums.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Api.h"

#include <cstring>

namespace Gralith::Graphics {

/// The writing and locking rules both buffer kinds share, for their Direct3D buffer (vertex or
/// index: the two interfaces lock alike). Ranges are checked before Direct3D sees them; a buffer
/// is locked at most once at a time.
template <class Interface>
class D3D9BufferStore {
public:
    D3D9BufferStore(int size, const char* lockFailure) : size(size), lockFailure(lockFailure) {}
    ~D3D9BufferStore() {
        if (buffer) {
            if (locked)
                buffer->Unlock();
            buffer->Release();
        }
    }
    D3D9BufferStore(const D3D9BufferStore&) = delete;
    D3D9BufferStore& operator=(const D3D9BufferStore&) = delete;

    /// size 0 means the rest of the buffer from offset; answers the byte count.
    int CheckRange(int offset, int count) const {
        if (count == 0)
            count = size - offset;
        if (offset < 0 || count < 0 || offset > size - count)
            throw Exception(Messages::BufferRange, ErrorInvalidArgument);
        return count;
    }

    /// Copies count bytes to offset. discard: the whole buffer is locked with discard (its old
    /// contents are dropped), otherwise only the range is locked.
    void Write(const void* data, int offset, int count, bool discard) {
        if (locked)
            throw Exception(Messages::BufferLocked, ErrorInvalidState);
        void* bytes = nullptr;
        HRESULT result = discard ? buffer->Lock(0, 0, &bytes, D3DLOCK_DISCARD)
                                 : buffer->Lock(static_cast<UINT>(offset), static_cast<UINT>(count), &bytes, 0);
        if (FAILED(result) || !bytes)
            throw Exception(lockFailure, ErrorGeneral);
        if (discard)
            bytes = static_cast<unsigned char*>(bytes) + offset;
        if (data && count > 0)
            std::memcpy(bytes, data, static_cast<size_t>(count));
        buffer->Unlock();
    }

    void* Lock(LockMode mode, int offset, int count) {
        if (mode < LockReadOnly || mode > LockReadWrite)
            throw Exception(Messages::InvalidLockMode, ErrorInvalidState);
        if (locked)
            throw Exception(Messages::BufferLocked, ErrorInvalidState);
        count = CheckRange(offset, count);
        void* bytes = nullptr;
        HRESULT result = buffer->Lock(static_cast<UINT>(offset), static_cast<UINT>(count), &bytes,
                                      mode == LockReadOnly ? D3DLOCK_READONLY : 0);
        if (FAILED(result) || !bytes)
            throw Exception(lockFailure, ErrorGeneral);
        locked = true;
        return bytes;
    }

    void Unlock() {
        if (!locked)
            return;
        buffer->Unlock();
        locked = false;
    }

    Interface* buffer = nullptr;
    const int size;
    bool locked = false;

private:
    const char* lockFailure;
};

} // namespace Gralith::Graphics
