#pragma once

namespace Gralith::Utils {

/// A 4x4 float matrix stored column-major (element index = column * 4 + row; the translation
/// sits in 12, 13, 14). Vectors are columns and products compose right to left: A * B applies
/// B first. Default-constructed it is the identity.
class Matrix4 {
public:
    Matrix4();
    /// Sixteen floats in memory (column-major) order.
    explicit Matrix4(const float* values);

    static Matrix4 Identity() { return Matrix4(); }
    static Matrix4 Translation(float x, float y, float z);
    static Matrix4 Scaling(float x, float y, float z);
    /// Rotation by angleDegrees about the axis (x, y, z), counter-clockwise looking down the
    /// axis. The axis is normalised unless its squared length is within 1e-7 of 1; a zero axis
    /// gives the identity.
    static Matrix4 Rotation(float angleDegrees, float x, float y, float z);
    /// A view matrix: the eye at the origin looking down -z with up along +y.
    static Matrix4 LookAt(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ, float upX,
                          float upY, float upZ);
    /// Right-handed perspective projection for clip-space depth -1...1 (openGLDepth) or 0...1.
    static Matrix4 Perspective(bool openGLDepth, float fovYDegrees, float aspect, float zNear, float zFar);
    /// a * b.
    static Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

    Matrix4 operator*(const Matrix4& b) const { return Multiply(*this, b); }
    Matrix4& operator*=(const Matrix4& b);
    bool operator==(const Matrix4& b) const;
    bool operator!=(const Matrix4& b) const { return !(*this == b); }

    /// this = this * Translation(x, y, z).
    void Translate(float x, float y, float z);
    void Transpose();
    /// Inverts in place and answers true; answers false and leaves the matrix unchanged when it
    /// is singular.
    bool Invert();
    /// The upper-left 3x3 block, column-major: elements 0, 1, 2, 4, 5, 6, 8, 9, 10.
    void GetUpperLeft3x3(float out[9]) const;

    float& operator[](int index) { return m[index]; }
    const float& operator[](int index) const { return m[index]; }
    /// Element at (row, column).
    float& At(int row, int column) { return m[column * 4 + row]; }
    float At(int row, int column) const { return m[column * 4 + row]; }
    const float* Data() const { return m; }
    float* Data() { return m; }

private:
    float m[16];
};

} // namespace Gralith::Utils
