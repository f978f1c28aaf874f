// Angle units of the satellite: angles stated in degrees are whole counts of
// this constant.
#ifndef QUORVANE_SATELLITE_ANGLE_UNITS_H
#define QUORVANE_SATELLITE_ANGLE_UNITS_H

namespace satellite {

const double kDegree = 0.017453292519943295;  // one degree [rad]

}  // namespace satellite

#endif
