#include "propagation.h"

#include <algorithm>
#include <cmath>

#include "rotation.h"
#include "sim_vessel.h"
#include "simulation.h"

namespace host {

VECTOR3 GravityAcceleration(const VECTOR3 &rpos, double mu) {
    const double r2 = dotp(rpos, rpos);
    if (r2 < 1.0) return _V(0, 0, 0);  // at the body's centre gravity has no direction
    const double r = std::sqrt(r2);
    return rpos * (-mu / (r2 * r));
}

namespace {

struct ThrustResult {
    VECTOR3 force = {{0, 0, 0}};   // vessel frame [N]
    VECTOR3 torque = {{0, 0, 0}};  // vessel frame [N m]
};

// Thrust over the step, burning propellant; a tank that runs dry during the
// step gives thrust for the part of the step it lasts.
ThrustResult BurnThrusters(SimVessel &v, double dt) {
    ThrustResult r;
    for (auto &t : v.thrusters) {
        if (t->level <= 0 || t->maxThrust <= 0 || t->propellant == nullptr) continue;
        Propellant &p = *t->propellant;
        if (p.mass <= 0) continue;
        const double thrust = t->maxThrust * std::min(1.0, t->level);
        double share = 1.0;
        if (t->isp > 0) {
            const double need = thrust / (t->isp * p.efficiency) * dt;
            if (need > p.mass) {
                share = p.mass / need;
                p.mass = 0;
            } else {
                p.mass -= need;
            }
        }
        const VECTOR3 f = t->dir * (thrust * share);
        r.force = r.force + f;
        r.torque = r.torque + crossp(t->pos, f);
    }
    return r;
}

// Euler's equations: I dw/dt = tau - w x (I w), with I diagonal.
VECTOR3 AngularAcceleration(const VECTOR3 &w, const VECTOR3 &inertia, const VECTOR3 &torque) {
    const VECTOR3 iw = _V(inertia.x * w.x, inertia.y * w.y, inertia.z * w.z);
    const VECTOR3 rhs = torque - crossp(w, iw);
    return _V(inertia.x > 0 ? rhs.x / inertia.x : 0, inertia.y > 0 ? rhs.y / inertia.y : 0,
              inertia.z > 0 ? rhs.z / inertia.z : 0);
}

}  // namespace

void PropagateFree(SimVessel &v, double dt, const CentralBody &body) {
    if (dt <= 0) return;
    const double mass = v.Mass();
    const ThrustResult thrust = BurnThrusters(v, dt);
    const bool thrusting = thrust.force.x != 0 || thrust.force.y != 0 || thrust.force.z != 0;
    // The attitude matrix only when needed: a vessel that sets its attitude
    // every step would otherwise pay for the trigonometry every step.
    const VECTOR3 thrustAcc =
        (thrusting && mass > 0) ? TMul(v.Attitude().Matrix(), thrust.force) / mass : _V(0, 0, 0);

    // Translation: RK4 on position and velocity.
    const VECTOR3 r0 = v.RelPos(), v0 = v.RelVel();
    const VECTOR3 a1 = GravityAcceleration(r0, body.mu) + thrustAcc;
    const VECTOR3 r1 = r0 + v0 * (0.5 * dt), v1 = v0 + a1 * (0.5 * dt);
    const VECTOR3 a2 = GravityAcceleration(r1, body.mu) + thrustAcc;
    const VECTOR3 r2 = r0 + v1 * (0.5 * dt), v2 = v0 + a2 * (0.5 * dt);
    const VECTOR3 a3 = GravityAcceleration(r2, body.mu) + thrustAcc;
    const VECTOR3 r3 = r0 + v2 * dt, v3 = v0 + a3 * dt;
    const VECTOR3 a4 = GravityAcceleration(r3, body.mu) + thrustAcc;
    v.SetRelPos(r0 + (v0 + v1 * 2.0 + v2 * 2.0 + v3) * (dt / 6.0));
    v.SetRelVel(v0 + (a1 + a2 * 2.0 + a3 * 2.0 + a4) * (dt / 6.0));

    // Rotation: a vessel at rest that feels no torque keeps its attitude exactly.
    const VECTOR3 w0 = v.AngularVel();
    const bool torqued = thrust.torque.x != 0 || thrust.torque.y != 0 || thrust.torque.z != 0;
    if (!torqued && w0.x == 0 && w0.y == 0 && w0.z == 0) return;
    const VECTOR3 inertia = v.pmi * mass;
    const VECTOR3 k1 = AngularAcceleration(w0, inertia, thrust.torque);
    const VECTOR3 k2 = AngularAcceleration(w0 + k1 * (0.5 * dt), inertia, thrust.torque);
    const VECTOR3 k3 = AngularAcceleration(w0 + k2 * (0.5 * dt), inertia, thrust.torque);
    const VECTOR3 k4 = AngularAcceleration(w0 + k3 * dt, inertia, thrust.torque);
    const VECTOR3 w1 = w0 + (k1 + k2 * 2.0 + k3 * 2.0 + k4) * (dt / 6.0);
    v.SetAngularVel(w1);

    // Turn by the mean rate over the step, about an axis fixed in the vessel:
    // the new body axes are R_b^T applied to the old ones.
    const VECTOR3 wm = (w0 + w1) * 0.5;
    const double rate = length(wm);
    if (rate > 0) {
        const MATRIX3 turn = AxisRotation(wm / rate, rate * dt);
        v.SetAttitudeMatrix(Orthonormalise(Mul(Transpose(turn), v.Attitude().Matrix())));
    }
}

}  // namespace host
