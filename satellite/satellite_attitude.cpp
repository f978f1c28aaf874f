// Attitude operations. KillRotation brakes the rotation; the five Align
// operations put the satellite into their attitude at once by writing its
// state record, and are run again at every step while their hold lasts.
#include <cmath>

#include "angle_units.h"
#include "satellite_vessel.h"

using satellite::kDegree;

namespace {

const double kHalfPi = 1.5707963267948966;  // pi/2 [rad]

VECTOR3 Cross(const VECTOR3 &a, const VECTOR3 &b) {
    return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// The length is computed once and each component divided by it.
VECTOR3 Unit(const VECTOR3 &a) {
    const double len = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return _V(a.x / len, a.y / len, a.z / len);
}

VECTOR3 Negated(const VECTOR3 &a) { return _V(-a.x, -a.y, -a.z); }

// One component of the angular velocity, moved toward zero by at most a.
double Braked(double c, double a) {
    if (std::fabs(c) <= a) return 0.0;
    return c > 0.0 ? c - a : c + a;
}

// The directions of an orbit, from the position p and velocity v.
struct OrbitAxes {
    VECTOR3 along;   // d = unit(v)
    VECTOR3 normal;  // n = unit(d x unit(p)), at right angles to the orbit plane
    VECTOR3 side;    // unit(n x d), in the orbit plane at right angles to d
};

OrbitAxes AxesOf(const VECTOR3 &p, const VECTOR3 &v) {
    const VECTOR3 r = Unit(p);
    OrbitAxes axes;
    axes.along = Unit(v);
    axes.normal = Unit(Cross(axes.along, r));
    axes.side = Unit(Cross(axes.normal, axes.along));
    return axes;
}

// Turns the body x, y and z axes along X, Y and Z (orthonormal, X x Y = Z)
// and stops the rotation, by handing back the record just read with only
// the orientation and the angular velocity changed.
//
// Where a vector to be normalised has zero length (position along velocity,
// zero velocity, the global position along the position), 0/0 leaves NaN in
// the angles: the geometry names no attitude. Any attitude made up for that
// case would jerk the vessel round, so the state is left as it is for this
// step, rotation included, and the hold takes up again as soon as the
// geometry names an attitude. No NaN ever reaches the vessel's state.
void HoldAttitude(const VESSEL &vessel, VESSELSTATUS &status, const VECTOR3 &X, const VECTOR3 &Y, const VECTOR3 &Z) {
    const double alpha = std::atan2(Z.y, Z.z);
    const double beta = std::asin(Z.x) * -1.0;
    const double gamma = kHalfPi - std::atan2(X.x, Y.x);
    if (!std::isfinite(alpha) || !std::isfinite(beta) || !std::isfinite(gamma)) return;
    status.arot = _V(alpha, beta, gamma);
    status.vrot = _V(0.0, 0.0, 0.0);
    vessel.DefSetState(&status);
}

}  // namespace

// Brakes each component of the rotation at 2 degrees per second squared.
void SatelliteVessel::KillRotation() {
    VECTOR3 w;
    GetAngularVel(w);
    const double a = oapiGetSimStep() * (kDegree + kDegree);
    w.x = Braked(w.x, a);
    w.y = Braked(w.y, a);
    w.z = Braked(w.z, a);
    SetAngularVel(w);
}

// Body +z along the velocity, body +y along the orbit normal.
void SatelliteVessel::AlignPrograde() {
    VESSELSTATUS status;
    GetStatus(status);
    const OrbitAxes axes = AxesOf(status.rpos, status.rvel);
    HoldAttitude(*this, status, axes.side, axes.normal, axes.along);
}

// Body +z against the velocity, body +y along the orbit normal: both inputs
// negated, which leaves the normal as it is.
void SatelliteVessel::AlignRetrograde() {
    VESSELSTATUS status;
    GetStatus(status);
    const OrbitAxes axes = AxesOf(Negated(status.rpos), Negated(status.rvel));
    HoldAttitude(*this, status, axes.side, axes.normal, axes.along);
}

// Body +z along the orbit normal, body +y against the velocity.
void SatelliteVessel::AlignNormal() {
    VESSELSTATUS status;
    GetStatus(status);
    const OrbitAxes axes = AxesOf(status.rpos, status.rvel);
    HoldAttitude(*this, status, axes.side, Negated(axes.along), axes.normal);
}

// Body +z against the orbit normal, body +y along the velocity.
void SatelliteVessel::AlignAntinormal() {
    VESSELSTATUS status;
    GetStatus(status);
    const OrbitAxes axes = AxesOf(status.rpos, status.rvel);
    HoldAttitude(*this, status, axes.side, axes.along, Negated(axes.normal));
}

// Body -y at the centre of the reference body; body z at right angles both
// to the vertical and to the direction toward the global frame's origin.
void SatelliteVessel::AlignNadir() {
    VECTOR3 g;
    GetGlobalPos(g);
    VESSELSTATUS status;
    GetStatus(status);
    const VECTOR3 s = Unit(Negated(g));
    const VECTOR3 r = Unit(status.rpos);
    const VECTOR3 m = Unit(Cross(s, r));
    HoldAttitude(*this, status, Negated(Unit(Cross(m, r))), r, m);
}
