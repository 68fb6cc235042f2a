#pragma once

#include <cstdint>
#include <memory>

namespace Gralith::Input {

/// The event queue of a keyboard or mouse: a ring of 65536 slots with read and write indexes
/// that wrap together. When the ring is full the oldest event is dropped, so a flood of events
/// never makes pending events disappear all at once.
template <class T>
class EventRing {
public:
    static constexpr uint32_t Size = 65536;

    EventRing() : slots(new T[Size]()) {}

    void Push(const T& event) {
        slots[write] = event;
        write = (write + 1) % Size;
        if (write == read)
            read = (read + 1) % Size;
    }

    bool HasNext() const { return read != write; }

    /// The caller checks HasNext first.
    T Pop() {
        T event = slots[read];
        read = (read + 1) % Size;
        return event;
    }

    uint32_t Pending() const { return (write + Size - read) % Size; }
    uint32_t ReadIndex() const { return read; }
    uint32_t WriteIndex() const { return write; }

private:
    std::unique_ptr<T[]> slots;
    uint32_t read = 0;
    uint32_t write = 0;
};

} // namespace Gralith::Input
