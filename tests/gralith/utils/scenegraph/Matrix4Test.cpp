#include "gralith/utils/scenegraph/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

using Gralith::Utils::Matrix4;

namespace {

void ExpectNear(const Matrix4& expected, const Matrix4& actual, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected[i], actual[i], tolerance) << "element " << i;
}

// A point (x, y, z, 1) transformed by m.
void Apply(const Matrix4& m, const float in[4], float out[4]) {
    for (int r = 0; r < 4; ++r)
        out[r] = m.At(r, 0) * in[0] + m.At(r, 1) * in[1] + m.At(r, 2) * in[2] + m.At(r, 3) * in[3];
}

Matrix4 FromRows(std::initializer_list<float> rows) {
    Matrix4 m;
    int i = 0;
    for (float v : rows) {
        m.At(i / 4, i % 4) = v;
        ++i;
    }
    return m;
}

} // namespace

TEST(Matrix4, ProductAppliesRightOperandFirst) {
    // Scale, then translate.
    Matrix4 m = Matrix4::Translation(10, 0, 0) * Matrix4::Scaling(2, 2, 2);
    float p[4] = {1, 1, 1, 1}, q[4];
    Apply(m, p, q);
    EXPECT_FLOAT_EQ(12.0f, q[0]);
    EXPECT_FLOAT_EQ(2.0f, q[1]);

    Matrix4 a = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    Matrix4 b = FromRows({2, 0, 1, 0, 0, 1, 0, 3, 1, 0, 0, 0, 0, 2, 0, 1});
    Matrix4 expected = FromRows({5, 10, 1, 10, 17, 22, 5, 26, 29, 34, 9, 42, 41, 46, 13, 58});
    ExpectNear(expected, Matrix4::Multiply(a, b), 0);
    Matrix4 c = a;
    c *= b;
    EXPECT_EQ(expected, c);

    Matrix4 moved = Matrix4::Scaling(2, 2, 2);
    moved.Translate(1, 2, 3);
    ExpectNear(Matrix4::Scaling(2, 2, 2) * Matrix4::Translation(1, 2, 3), moved, 0);
    EXPECT_FLOAT_EQ(2.0f, moved[12]);
    EXPECT_FLOAT_EQ(6.0f, moved[14]);
}

TEST(Matrix4, PerspectivePutsTheFrustumOnTheClipRangeOfEitherDepthConvention) {
    const float n = 1, f = 1000;
    // One axis of (x, y, -z) after the divide by w.
    auto project = [](const Matrix4& m, float x, float y, float z, int axis) {
        float p[4] = {x, y, -z, 1}, q[4];
        Apply(m, p, q);
        return q[axis] / q[3];
    };
    for (bool gl : {true, false}) {
        SCOPED_TRACE(gl);
        Matrix4 m = Matrix4::Perspective(gl, 90, 2, n, f);
        // 90 degrees high and twice as wide: (2z, z, -z) is the top right corner.
        EXPECT_NEAR(1.0f, project(m, 20, 10, 10, 0), 1e-5f);
        EXPECT_NEAR(1.0f, project(m, 20, 10, 10, 1), 1e-5f);
        EXPECT_NEAR(gl ? -1.0f : 0.0f, project(m, 0, 0, n, 2), 1e-5f);
        EXPECT_NEAR(1.0f, project(m, 0, 0, f, 2), 1e-4f);
    }
}

TEST(Matrix4, InvertGivesTheInverse) {
    Matrix4 m = Matrix4::Translation(3, -2, 5) * Matrix4::Rotation(33, 1, 1, 0) * Matrix4::Scaling(2, 4, 0.5f);
    Matrix4 inverse = m;
    ASSERT_TRUE(inverse.Invert());
    ExpectNear(Matrix4(), m * inverse);
    ExpectNear(Matrix4(), inverse * m);
}
