// The module's hooks for its entry points: satellites are made and destroyed here.
#include <new>

#include "frame/module_entry.h"
#include "satellite_vessel.h"

VESSEL *CreateModuleVessel(OBJHANDLE hVessel, int flightmodel) {
    return new (std::nothrow) SatelliteVessel(hVessel, flightmodel);
}

void DestroyModuleVessel(VESSEL *vessel) { delete static_cast<SatelliteVessel *>(vessel); }
