// Equations of motion of a free vessel: point-mass gravity of the central body
// and thrust, integrated with the classical fourth-order Runge-Kutta method;
// rotation by Euler's equations for a rigid body with the thrusters' torque.
#ifndef QUORVANE_HOST_WORLD_PROPAGATION_H
#define QUORVANE_HOST_WORLD_PROPAGATION_H

#include "host_interface.h"

namespace host {

class SimVessel;
struct CentralBody;

// Advances a vessel that hangs on no parent by dt seconds, using up the
// propellant its thrusters burn.
void PropagateFree(SimVessel &v, double dt, const CentralBody &body);

// Gravitational acceleration at a position relative to the body [m/s^2].
VECTOR3 GravityAcceleration(const VECTOR3 &rpos, double mu);

}  // namespace host

#endif
