// Rotation matrices and the host's orientation convention.
//
// An orientation is held as the matrix M whose rows are the vessel's body x, y
// and z axes expressed in the global frame; M = Rz(gamma) Ry(beta) Rx(alpha)
// for the three angles of a vessel state record. A body vector b is global
// M^T b; a global vector g is M g in the body frame.
#ifndef QUORVANE_HOST_WORLD_ROTATION_H
#define QUORVANE_HOST_WORLD_ROTATION_H

#include "host_interface.h"

namespace host {

MATRIX3 IdentityMatrix();
MATRIX3 MatrixFromAngles(const VECTOR3 &angles);
VECTOR3 AnglesFromMatrix(const MATRIX3 &m);

VECTOR3 Mul(const MATRIX3 &m, const VECTOR3 &v);    // M v
VECTOR3 TMul(const MATRIX3 &m, const VECTOR3 &v);   // M^T v
MATRIX3 Mul(const MATRIX3 &a, const MATRIX3 &b);    // A B
MATRIX3 Transpose(const MATRIX3 &m);
// Right-handed rotation by angle [rad] about a unit axis.
MATRIX3 AxisRotation(const VECTOR3 &unitAxis, double angle);
// Rows from three vectors.
MATRIX3 MatrixFromRows(const VECTOR3 &r0, const VECTOR3 &r1, const VECTOR3 &r2);
VECTOR3 Row(const MATRIX3 &m, int i);
// Brings a nearly orthonormal matrix back to orthonormal (Gram-Schmidt on rows).
MATRIX3 Orthonormalise(const MATRIX3 &m);

// Orientation that keeps the angles it was given: angles written through a
// state record are read back bit for bit. Angles and matrix are each derived
// from the other when first asked for, so a vessel that sets its attitude at
// every step pays for the trigonometry only when something needs the matrix.
class Orientation {
public:
    Orientation();
    void SetAngles(const VECTOR3 &angles);
    void SetMatrix(const MATRIX3 &m);
    const MATRIX3 &Matrix() const;
    VECTOR3 Angles() const;

private:
    mutable MATRIX3 matrix_;
    mutable VECTOR3 angles_;
    mutable bool matrixValid_;
    mutable bool anglesValid_;
};

}  // namespace host

#endif
