// The stack's definition.
#include "stack_vessel.h"

StackVessel::StackVessel(OBJHANDLE hVessel, int flightmodel) : VESSEL3(hVessel, flightmodel) {}

void StackVessel::clbkSetClassCaps(FILEHANDLE) { deployState = 0; }
