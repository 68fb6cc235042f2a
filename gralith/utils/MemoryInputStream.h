#pragma once

#include "gralith/utils/InputStream.h"

namespace Gralith::Utils {

/// A seekable stream over its own copy of a byte block: for data that arrives in memory
/// (fuzzing, tests, tools that build a file before reading it back).
class MemoryInputStream : public InputStream {
public:
    MemoryInputStream(const void* data, int size);
    ~MemoryInputStream() override;
    MemoryInputStream(const MemoryInputStream&) = delete;
    MemoryInputStream& operator=(const MemoryInputStream&) = delete;

    unsigned Read(void* buffer, unsigned size, unsigned count) override;
    int Seek(int origin, int offset) override;
    int Tell() override { return position; }
    int Size() override;

private:
    unsigned char* data;
    int size;
    int position = 0;
};

} // namespace Gralith::Utils
