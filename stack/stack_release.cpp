// The stack's step: it waits while its launch vehicle carries it, sets the 60
// satellites free in the first step in which it hangs on nothing, and asks the
// host to remove it in the step after.
#include <iterator>

#include "stack_vessel.h"

namespace {

// Separation speed of child i: kFirstChildSpeed - i * kSpeedDecrement plus a
// random part below kRandomSpread. The random part stays below the decrement,
// so every child leaves faster than the one after it.
const double kFirstChildSpeed = 0.59;   // [m/s]
const double kSpeedDecrement = 0.01;    // per child index [m/s]
const double kRandomSpread = 0.005;     // [m/s]

}  // namespace

void StackVessel::clbkPreStep(double, double, double) {
    // Released in an earlier step: the stack has done its work.
    if (deployState == 1) {
        oapiDeleteVessel(GetHandle(), NULL);
        return;
    }
    // Any other state than holding (an edited scenario) leaves the stack inert.
    if (deployState != 0) return;
    if (GetAttachmentStatus(parentAttach) != NULL) return;  // still carried

    for (int i = 0; i < static_cast<int>(std::size(satAttach)); ++i) {
        const double r = oapiRand();
        DetachChild(satAttach[i], (kFirstChildSpeed - i * kSpeedDecrement) + r * kRandomSpread);
    }
    deployState = 1;
}
