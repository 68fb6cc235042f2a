#pragma once

#include "gralith/Object.h"

namespace Gralith::Utils {

/// A readable, seekable byte source.
class InputStream : public Object {
public:
    /// Reads up to count items of size bytes; returns the number of whole items read.
    virtual unsigned Read(void* buffer, unsigned size, unsigned count) = 0;
    /// origin 0 = from the start, 1 = from the current position, 2 = from the end.
    /// Returns 0 on success, non-zero on failure.
    virtual int Seek(int origin, int offset) = 0;
    virtual int Tell() = 0;
    /// Total size in bytes; leaves the position at 0 (ask for the size before reading).
    virtual int Size() = 0;
};

} // namespace Gralith::Utils
