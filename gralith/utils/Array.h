#pragma once

#include "gralith/Object.h"

namespace Gralith::Utils {

/// A growable contiguous vector. Capacity grows in steps of 10 (never by doubling), which keeps
/// the engine's many small collections tight; AddGrowing and ReserveGrowing double instead, for
/// arrays whose length a file decides. Indexes are not checked. An array of pointers neither
/// releases nor deletes what they point to: its owner does that.
template <class T>
class Array : public Object {
public:
    Array() = default;
    Array(const Array& other) : Object(other) { CopyFrom(other); }
    Array& operator=(const Array& other) {
        if (this != &other) {
            count = 0;
            CopyFrom(other);
        }
        return *this;
    }
    ~Array() override { delete[] data; }

    /// Stores a copy of item at the end and returns its index.
    int Add(const T& item) {
        if (count == capacity) {
            // Copy first: item may live inside this array's storage.
            T copy = item;
            Reserve(count + 10);
            data[count] = copy;
        } else {
            data[count] = item;
        }
        return count++;
    }

    /// Add that at least doubles a full array's capacity: n additions then copy O(n) elements
    /// rather than the O(n^2) of steps of 10, however long a (possibly hostile) file makes it.
    int AddGrowing(const T& item) {
        if (count < capacity)
            return Add(item);
        // Copy first: item may live inside this array's storage.
        T copy = item;
        ReserveGrowing(count + 1);
        return Add(copy);
    }

    /// Ensures capacity >= n, at least doubling it when it has to grow.
    void ReserveGrowing(int n) {
        if (n > capacity)
            Reserve(n > capacity * 2 + 8 ? n : capacity * 2 + 8);
    }

    /// Ensures capacity >= n, allocating exactly n slots; never shrinks.
    void Reserve(int n) {
        // n <= 0 is spelled out: the compiler cannot tell that capacity is never negative.
        if (n <= 0 || capacity >= n)
            return;
        T* storage = new T[n];
        for (int i = 0; i < count; ++i)
            storage[i] = data[i];
        delete[] data;
        data = storage;
        capacity = n;
    }

    /// Removes and returns the last element. The caller only pops a non-empty array.
    T Pop() {
        T item = data[count - 1];
        --count;
        data[count] = T();
        return item;
    }

    /// Forgets every element (keeps the storage).
    void Clear() {
        for (int i = 0; i < count; ++i)
            data[i] = T();
        count = 0;
    }

    /// The first index whose element equals value, or -1.
    int IndexOf(const T& value) const {
        for (int i = 0; i < count; ++i)
            if (data[i] == value)
                return i;
        return -1;
    }

    T& operator[](int index) { return data[index]; }
    const T& operator[](int index) const { return data[index]; }
    int Count() const { return count; }
    int Capacity() const { return capacity; }
    T* Data() { return data; }
    const T* Data() const { return data; }
    T* begin() { return data; }
    T* end() { return data + count; }
    const T* begin() const { return data; }
    const T* end() const { return data + count; }

private:
    void CopyFrom(const Array& other) {
        Reserve(other.count);
        for (int i = 0; i < other.count; ++i)
            data[i] = other.data[i];
        count = other.count;
    }

    T* data = nullptr;
    int count = 0;
    int capacity = 0;
};

} // namespace Gralith::Utils
