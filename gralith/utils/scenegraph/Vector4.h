#pragma once

namespace Gralith::Utils {

/// Four components x, y, z, w.
template <class T>
struct Vector4t {
    T x = T();
    T y = T();
    T z = T();
    T w = T();

    Vector4t() = default;
    Vector4t(T x, T y, T z, T w) : x(x), y(y), z(z), w(w) {}

    bool operator==(const Vector4t& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
    bool operator!=(const Vector4t& o) const { return !(*this == o); }
};

} // namespace Gralith::Utils
