// Orientation matrices and angles: the convention M = Rz(gamma) Ry(beta) Rx(alpha)
// with the body axes as rows, its inverse, and rotations about an axis.
#include "world/rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

void ExpectOrthonormalRightHanded(const MATRIX3 &m, double tol) {
    const VECTOR3 x = host::Row(m, 0), y = host::Row(m, 1), z = host::Row(m, 2);
    EXPECT_NEAR(length(x), 1, tol);
    EXPECT_NEAR(length(y), 1, tol);
    EXPECT_NEAR(dotp(x, y), 0, tol);
    const VECTOR3 c = crossp(x, y);
    EXPECT_NEAR(c.x, z.x, tol);
    EXPECT_NEAR(c.y, z.y, tol);
    EXPECT_NEAR(c.z, z.z, tol);
}

TEST(Rotation, ElementaryAnglesGiveTheTextbookRows) {
    // alpha = 90 degrees: body y along global z, body z along global -y.
    const MATRIX3 m = host::MatrixFromAngles(_V(PI05, 0, 0));
    EXPECT_NEAR(m.m22, 0, 1e-15);
    EXPECT_NEAR(m.m23, -1, 1e-15);
    EXPECT_NEAR(m.m32, 1, 1e-15);
    // The third row is (-sin b, cos b sin a, cos b cos a).
    const VECTOR3 a = _V(0.3, -0.4, 1.1);
    const MATRIX3 r = host::MatrixFromAngles(a);
    EXPECT_NEAR(r.m31, -std::sin(a.y), 1e-15);
    EXPECT_NEAR(r.m32, std::cos(a.y) * std::sin(a.x), 1e-15);
    EXPECT_NEAR(r.m33, std::cos(a.y) * std::cos(a.x), 1e-15);
}

TEST(Rotation, AnglesSurviveTheRoundTripThroughTheMatrix) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> any(-PI, PI), half(-PI05 + 1e-3, PI05 - 1e-3);
    for (int i = 0; i < 2000; ++i) {
        const VECTOR3 a = _V(any(rng), half(rng), any(rng));
        const MATRIX3 m = host::MatrixFromAngles(a);
        ExpectOrthonormalRightHanded(m, 1e-14);
        const VECTOR3 b = host::AnglesFromMatrix(m);
        EXPECT_NEAR(b.x, a.x, 1e-9);
        EXPECT_NEAR(b.y, a.y, 1e-9);
        EXPECT_NEAR(b.z, a.z, 1e-9);
    }
}

TEST(Rotation, OrientationReturnsTheAnglesItWasGivenBitForBit) {
    host::Orientation o;
    const VECTOR3 a = _V(0.1234567890123, -1.2, 3.0);
    o.SetAngles(a);
    EXPECT_EQ(o.Angles().x, a.x);
    EXPECT_EQ(o.Angles().y, a.y);
    EXPECT_EQ(o.Angles().z, a.z);
    o.SetMatrix(host::MatrixFromAngles(_V(0.5, 0.25, -0.75)));
    EXPECT_NEAR(o.Angles().x, 0.5, 1e-12);
    EXPECT_NEAR(o.Angles().y, 0.25, 1e-12);
    EXPECT_NEAR(o.Angles().z, -0.75, 1e-12);
}

TEST(Rotation, AxisRotationIsRightHandedAndOrthonormal) {
    const MATRIX3 r = host::AxisRotation(_V(0, 0, 1), PI05);
    const VECTOR3 y = host::Mul(r, _V(1, 0, 0));
    EXPECT_NEAR(y.x, 0, 1e-15);
    EXPECT_NEAR(y.y, 1, 1e-15);
    std::mt19937_64 rng(7);
    std::normal_distribution<double> n;
    for (int i = 0; i < 200; ++i) {
        const VECTOR3 axis = unit(_V(n(rng), n(rng), n(rng)));
        const MATRIX3 m = host::AxisRotation(axis, n(rng) * 3);
        ExpectOrthonormalRightHanded(m, 1e-14);
        const VECTOR3 fixed = host::Mul(m, axis);
        EXPECT_NEAR(length(fixed - axis), 0, 1e-14);
    }
}

}  // namespace
