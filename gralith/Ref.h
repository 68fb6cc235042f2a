#pragma once

namespace Gralith {

/// A member that owns one reference to a counted engine object: it takes its own reference when
/// given a pointer and releases it when replaced or destroyed, so an owner never writes the
/// AddRef/Release pair by hand and never forgets the release on an early throw.
template <class T>
class Ref {
public:
    Ref() = default;
    /// Shares object: the holder adds its own reference (null is allowed).
    explicit Ref(T* object) : object(object) {
        if (object)
            object->AddRef();
    }
    Ref(const Ref& other) : Ref(other.object) {}
    Ref& operator=(const Ref& other) {
        Reset(other.object);
        return *this;
    }
    ~Ref() { Reset(nullptr); }

    /// Holds value without adding a reference: takes over the one its creator or the caller
    /// handed over. Releases what was held.
    void Adopt(T* value) {
        T* old = object;
        object = value;
        if (old)
            old->Release();
    }

    /// Holds object instead (adding a reference to it) and releases what was held.
    void Reset(T* value) {
        if (value)
            value->AddRef();
        T* old = object;
        object = value;
        if (old)
            old->Release();
    }

    T* Get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};

} // namespace Gralith
