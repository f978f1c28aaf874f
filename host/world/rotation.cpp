#include "rotation.h"

#include <cmath>

namespace host {

MATRIX3 IdentityMatrix() {
    MATRIX3 m = {{1, 0, 0, 0, 1, 0, 0, 0, 1}};
    return m;
}

MATRIX3 MatrixFromAngles(const VECTOR3 &a) {
    const double ca = std::cos(a.x), sa = std::sin(a.x);
    const double cb = std::cos(a.y), sb = std::sin(a.y);
    const double cg = std::cos(a.z), sg = std::sin(a.z);
    // Rz(gamma) * Ry(beta) * Rx(alpha), written out.
    MATRIX3 m = {{cg * cb, cg * sb * sa - sg * ca, cg * sb * ca + sg * sa,
                  sg * cb, sg * sb * sa + cg * ca, sg * sb * ca - cg * sa,
                  -sb, cb * sa, cb * ca}};
    return m;
}

VECTOR3 AnglesFromMatrix(const MATRIX3 &m) {
    double s = -m.m31;
    if (s > 1.0) s = 1.0;
    if (s < -1.0) s = -1.0;
    return _V(std::atan2(m.m32, m.m33), std::asin(s), std::atan2(m.m21, m.m11));
}

VECTOR3 Mul(const MATRIX3 &m, const VECTOR3 &v) {
    return _V(m.m11 * v.x + m.m12 * v.y + m.m13 * v.z, m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
              m.m31 * v.x + m.m32 * v.y + m.m33 * v.z);
}

VECTOR3 TMul(const MATRIX3 &m, const VECTOR3 &v) {
    return _V(m.m11 * v.x + m.m21 * v.y + m.m31 * v.z, m.m12 * v.x + m.m22 * v.y + m.m32 * v.z,
              m.m13 * v.x + m.m23 * v.y + m.m33 * v.z);
}

MATRIX3 Mul(const MATRIX3 &a, const MATRIX3 &b) {
    MATRIX3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.data[i * 3 + j] =
                a.data[i * 3] * b.data[j] + a.data[i * 3 + 1] * b.data[3 + j] + a.data[i * 3 + 2] * b.data[6 + j];
    return r;
}

MATRIX3 Transpose(const MATRIX3 &m) {
    MATRIX3 r = {{m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33}};
    return r;
}

MATRIX3 AxisRotation(const VECTOR3 &n, double angle) {
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    MATRIX3 r = {{t * n.x * n.x + c, t * n.x * n.y - s * n.z, t * n.x * n.z + s * n.y,
                  t * n.x * n.y + s * n.z, t * n.y * n.y + c, t * n.y * n.z - s * n.x,
                  t * n.x * n.z - s * n.y, t * n.y * n.z + s * n.x, t * n.z * n.z + c}};
    return r;
}

MATRIX3 MatrixFromRows(const VECTOR3 &r0, const VECTOR3 &r1, const VECTOR3 &r2) {
    MATRIX3 m = {{r0.x, r0.y, r0.z, r1.x, r1.y, r1.z, r2.x, r2.y, r2.z}};
    return m;
}

VECTOR3 Row(const MATRIX3 &m, int i) { return _V(m.data[i * 3], m.data[i * 3 + 1], m.data[i * 3 + 2]); }

MATRIX3 Orthonormalise(const MATRIX3 &m) {
    VECTOR3 x = unit(Row(m, 0));
    VECTOR3 y = Row(m, 1);
    y = unit(y - x * dotp(x, y));
    return MatrixFromRows(x, y, crossp(x, y));
}

Orientation::Orientation() : matrix_(IdentityMatrix()), angles_(_V(0, 0, 0)), matrixValid_(true), anglesValid_(true) {}

void Orientation::SetAngles(const VECTOR3 &angles) {
    angles_ = angles;
    anglesValid_ = true;
    matrixValid_ = false;
}

void Orientation::SetMatrix(const MATRIX3 &m) {
    matrix_ = m;
    matrixValid_ = true;
    anglesValid_ = false;
}

const MATRIX3 &Orientation::Matrix() const {
    if (!matrixValid_) {
        matrix_ = MatrixFromAngles(angles_);
        matrixValid_ = true;
    }
    return matrix_;
}

VECTOR3 Orientation::Angles() const {
    if (!anglesValid_) {
        angles_ = AnglesFromMatrix(matrix_);
        anglesValid_ = true;
    }
    return angles_;
}

}  // namespace host
