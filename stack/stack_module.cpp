// The module's hooks for its entry points: stacks are made and destroyed here.
#include <new>

#include "frame/module_entry.h"
#include "stack_vessel.h"

VESSEL *CreateModuleVessel(OBJHANDLE hVessel, int flightmodel) {
    return new (std::nothrow) StackVessel(hVessel, flightmodel);
}

void DestroyModuleVessel(VESSEL *vessel) { delete static_cast<StackVessel *>(vessel); }
