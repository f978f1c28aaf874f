// The one setting that tells the two satellite modules apart. The build
// defines QUORVANE_SATELLITE_EVEN to 1 for the even module, 0 for the odd one.
#ifndef QUORVANE_SATELLITE_VARIANT_H
#define QUORVANE_SATELLITE_VARIANT_H

#ifndef QUORVANE_SATELLITE_EVEN
#error "QUORVANE_SATELLITE_EVEN must be defined to 0 (odd module) or 1 (even module)"
#endif

namespace satellite {

#if QUORVANE_SATELLITE_EVEN
const char kMeshName[] = "quorvane/quorvane_even";
const double kParentRotationX = 1.0;   // rotation reference of the parent attachment, x
#else
const char kMeshName[] = "quorvane/quorvane_odd";
const double kParentRotationX = -1.0;  // rotation reference of the parent attachment, x
#endif

}  // namespace satellite

#endif
