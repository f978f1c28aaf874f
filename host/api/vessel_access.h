// The host's side of a vessel object, reached from the host's own code
// without a host call (which would enter the call journal as the module's).
#ifndef QUORVANE_HOST_API_VESSEL_ACCESS_H
#define QUORVANE_HOST_API_VESSEL_ACCESS_H

#include "host_interface.h"
#include "world/sim_vessel.h"

struct HostVesselAccess {
    static host::SimVessel &Of(const VESSEL &v) { return host::SimVessel::FromHandle(v.vessel); }
};

#endif
