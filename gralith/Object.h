#pragma once

namespace Gralith {

/// Root of every engine class with a virtual table. Objects are reference counted: a new object
/// carries one reference for its creator; whoever stores a pointer it did not create calls
/// AddRef, and whoever drops one calls Release. Counts are plain integers: the engine is
/// single-threaded.
class Object {
public:
    Object() = default;
    // A copy is a new object with its own single reference.
    Object(const Object&) : refCount(1) {}
    Object& operator=(const Object&) { return *this; }
    virtual ~Object() = default;

    void AddRef() { ++refCount; }

    /// Drops one reference; at zero the object destroys itself. Kept out of line: inlined into a
    /// caller that releases twice, GCC 12 at -O3 cannot see that the first release left the object
    /// alive and reports a use after free that cannot happen.
    [[gnu::noinline]] void Release() {
        if (--refCount == 0)
            delete this;
    }

    int GetRefCount() const { return refCount; }

private:
    int refCount = 1;
};

} // namespace Gralith
