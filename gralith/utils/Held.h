#pragma once

namespace Gralith::Utils {

/// Holds one reference to a counted engine object for the length of a scope and releases it on
/// the way out (a throw included), unless the reference was handed on with Take.
template <class T>
class Held {
public:
    explicit Held(T* object) : object(object) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (object)
            object->Release();
    }

    T* operator->() const { return object; }
    T* Get() const { return object; }

    /// Hands the reference on: the holder no longer releases it.
    T* Take() {
        T* taken = object;
        object = nullptr;
        return taken;
    }

private:
    T* object;
};

} // namespace Gralith::Utils
