#include "gralith/utils/MemoryInputStream.h"

#include <cstring>

namespace Gralith::Utils {

MemoryInputStream::MemoryInputStream(const void* bytes, int n) : data(nullptr), size(n > 0 ? n : 0) {
    data = new unsigned char[size > 0 ? size : 1];
    if (size > 0)
        std::memcpy(data, bytes, size);
}

MemoryInputStream::~MemoryInputStream() { delete[] data; }

unsigned MemoryInputStream::Read(void* buffer, unsigned itemSize, unsigned count) {
    if (itemSize == 0 || count == 0)
        return 0;
    unsigned long long available = static_cast<unsigned long long>(size - position);
    unsigned long long items = available / itemSize;
    if (items > count)
        items = count;
    std::memcpy(buffer, data + position, items * itemSize);
    position += static_cast<int>(items * itemSize);
    return static_cast<unsigned>(items);
}

int MemoryInputStream::Seek(int origin, int offset) {
    long long base = origin == 0 ? 0 : origin == 1 ? position : origin == 2 ? size : -1;
    if (base < 0)
        return 1;
    long long target = base + offset;
    if (target < 0 || target > size)
        return 1;
    position = static_cast<int>(target);
    return 0;
}

int MemoryInputStream::Size() {
    position = 0;
    return size;
}

} // namespace Gralith::Utils
