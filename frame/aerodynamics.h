// The airfoil coefficient functions both vessel classes register: lift
// interpolated over the angle of attack from a table, no moment, and a drag of
// base drag plus the host's induced and wave drag.
#ifndef QUORVANE_FRAME_AERODYNAMICS_H
#define QUORVANE_FRAME_AERODYNAMICS_H

#include "host_interface.h"

// Registered with airfoil orientation 0 (vertical lift).
void VerticalLiftCoeff(VESSEL *v, double aoa, double M, double Re, void *context, double *cl, double *cm, double *cd);
// Registered with airfoil orientation 1 (horizontal lift).
void HorizontalLiftCoeff(VESSEL *v, double aoa, double M, double Re, void *context, double *cl, double *cm, double *cd);

namespace frame {

// The angle-of-attack table each function fills on its first call.
struct LiftAngleTable {
    bool filled = false;
    double aoa[9] = {};  // breakpoints [rad]
};

// The table segment i (breakpoints i and i + 1) that an angle of attack falls
// in: the first whose upper breakpoint the angle does not exceed. Angles above
// the last breakpoint use the last segment, so nothing reads past the tables;
// an angle that is not a number stops at segment 0.
int LiftSegment(const LiftAngleTable &table, double aoa);

// For tests: each function's own table.
const LiftAngleTable &VerticalLiftTable();
const LiftAngleTable &HorizontalLiftTable();

}  // namespace frame

#endif
