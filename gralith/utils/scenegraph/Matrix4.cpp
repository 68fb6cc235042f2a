#include "gralith/utils/scenegraph/Matrix4.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace Gralith::Utils {

namespace {

// The angle conversion uses this value, not the more precise pi, so that rotations match the
// content made with it.
constexpr float Pi = 3.141592f;

struct Vec3 {
    float x, y, z;
};

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A zero vector stays zero rather than turning into NaNs.
Vec3 Normalise(const Vec3& v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f)
        return v;
    return {v.x / length, v.y / length, v.z / length};
}

} // namespace

Matrix4::Matrix4() {
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

Matrix4::Matrix4(const float* values) { std::memcpy(m, values, sizeof m); }

Matrix4 Matrix4::Translation(float x, float y, float z) {
    Matrix4 r;
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Matrix4 Matrix4::Scaling(float x, float y, float z) {
    Matrix4 r;
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

Matrix4 Matrix4::Rotation(float angleDegrees, float x, float y, float z) {
    float lengthSquared = x * x + y * y + z * z;
    if (lengthSquared == 0.0f)
        return Matrix4();
    if (std::fabs(lengthSquared - 1.0f) > 1e-7f) {
        float length = std::sqrt(lengthSquared);
        x /= length;
        y /= length;
        z /= length;
    }
    float angle = angleDegrees / 180.0f * Pi;
    float c = std::cos(angle);
    float s = std::sin(angle);
    float t = 1.0f - c;

    Matrix4 r;
    r.m[0] = x * x * t + c;
    r.m[1] = x * y * t + z * s;
    r.m[2] = x * z * t - y * s;
    r.m[3] = 0.0f;
    r.m[4] = x * y * t - z * s;
    r.m[5] = y * y * t + c;
    r.m[6] = y * z * t + x * s;
    r.m[7] = 0.0f;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = z * z * t + c;
    r.m[11] = 0.0f;
    r.m[12] = r.m[13] = r.m[14] = 0.0f;
    r.m[15] = 1.0f;
    return r;
}

Matrix4 Matrix4::LookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX,
                        float upY, float upZ) {
    Vec3 f = Normalise({targetX - eyeX, targetY - eyeY, targetZ - eyeZ});
    Vec3 s = Cross(f, {upX, upY, upZ});
    Vec3 u = Cross(s, f);
    s = Normalise(s);
    u = Normalise(u);

    Matrix4 r;
    r.m[0] = s.x;
    r.m[4] = s.y;
    r.m[8] = s.z;
    r.m[1] = u.x;
    r.m[5] = u.y;
    r.m[9] = u.z;
    r.m[2] = -f.x;
    r.m[6] = -f.y;
    r.m[10] = -f.z;
    r.m[15] = 1.0f;
    r.Translate(-eyeX, -eyeY, -eyeZ);
    return r;
}

Matrix4 Matrix4::Perspective(bool openGLDepth, float fovYDegrees, float aspect, float zNear, float zFar) {
    float cot = 1.0f / std::tan(fovYDegrees / 180.0f * Pi * 0.5f);
    Matrix4 r;
    std::memset(r.m, 0, sizeof r.m);
    r.m[0] = cot / aspect;
    r.m[5] = cot;
    r.m[11] = -1.0f;
    if (openGLDepth) {
        r.m[10] = -(zNear + zFar) / (zFar - zNear);
        r.m[14] = -2.0f * zNear * zFar / (zFar - zNear);
    } else {
        r.m[10] = zFar / (zNear - zFar);
        r.m[14] = zNear * zFar / (zNear - zFar);
    }
    return r;
}

Matrix4 Matrix4::Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[k * 4 + row] * b.m[c * 4 + k];
            r.m[c * 4 + row] = sum;
        }
    return r;
}

Matrix4& Matrix4::operator*=(const Matrix4& b) {
    *this = Multiply(*this, b);
    return *this;
}

bool Matrix4::operator==(const Matrix4& b) const {
    for (int i = 0; i < 16; ++i)
        if (m[i] != b.m[i])
            return false;
    return true;
}

void Matrix4::Translate(float x, float y, float z) { *this = Multiply(*this, Translation(x, y, z)); }

void Matrix4::Transpose() {
    for (int row = 0; row < 4; ++row)
        for (int c = row + 1; c < 4; ++c)
            std::swap(m[c * 4 + row], m[row * 4 + c]);
}

bool Matrix4::Invert() {
    // Gauss-Jordan on a[row][column] with the identity beside it. Rows are swapped only when a
    // pivot is exactly zero.
    float a[4][4];
    float inv[4][4];
    for (int row = 0; row < 4; ++row)
        for (int c = 0; c < 4; ++c) {
            a[row][c] = m[c * 4 + row];
            inv[row][c] = row == c ? 1.0f : 0.0f;
        }

    for (int i = 0; i < 4; ++i) {
        if (a[i][i] == 0.0f) {
            int swapWith = -1;
            for (int j = i + 1; j < 4; ++j)
                if (a[j][i] != 0.0f) {
                    swapWith = j;
                    break;
                }
            if (swapWith < 0)
                return false;
            for (int c = 0; c < 4; ++c) {
                std::swap(a[i][c], a[swapWith][c]);
                std::swap(inv[i][c], inv[swapWith][c]);
            }
        }
        float pivot = a[i][i];
        for (int c = 0; c < 4; ++c) {
            a[i][c] /= pivot;
            inv[i][c] /= pivot;
        }
        for (int row = 0; row < 4; ++row) {
            if (row == i)
                continue;
            float factor = a[row][i];
            if (factor == 0.0f)
                continue;
            for (int c = 0; c < 4; ++c) {
                a[row][c] -= factor * a[i][c];
                inv[row][c] -= factor * inv[i][c];
            }
        }
    }

    for (int row = 0; row < 4; ++row)
        for (int c = 0; c < 4; ++c)
            m[c * 4 + row] = inv[row][c];
    return true;
}

void Matrix4::GetUpperLeft3x3(float out[9]) const {
    const int source[9] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int i = 0; i < 9; ++i)
        out[i] = m[source[i]];
}

} // namespace Gralith::Utils
