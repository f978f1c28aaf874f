// The satellite's step. Four stages, in this order, at every step:
//   1. release and delay: notice the release (the parent point is empty),
//      then count simulation time; once the delay is over, start the array
//      and the nadir hold, switching the served navigation modes off;
//   2. attitude: serve the first active navigation mode of 1, 3, 4, 5, 6,
//      which cancels the nadir hold, or else hold nadir while that is on;
//   3. array progress, by the array state;
//   4. hand the array's state to its animation.
// Stage 1 comes first so that the step that ends the delay already points
// at nadir and unfolds the array; stage 3 before 4 so that the animation
// shows the value of this step.
#include "satellite_vessel.h"

namespace {

const double kReleaseDelay = 2000.0;  // time from release to activation, to be exceeded [s]
const double kDeployRate = 0.05;      // array animation progress per second of simulation time [1/s]
const double kDeployed = 1.0;         // array animation state when fully unfolded

}  // namespace

const SatelliteVessel::NavmodeHold SatelliteVessel::navmodeHolds[5] = {
    {NAVMODE_KILLROT, &SatelliteVessel::KillRotation},
    {NAVMODE_PROGRADE, &SatelliteVessel::AlignPrograde},
    {NAVMODE_RETROGRADE, &SatelliteVessel::AlignRetrograde},
    {NAVMODE_NORMAL, &SatelliteVessel::AlignNormal},
    {NAVMODE_ANTINORMAL, &SatelliteVessel::AlignAntinormal},
};

void SatelliteVessel::SwitchOffNavmodeHolds() {
    for (const NavmodeHold &h : navmodeHolds) DeactivateNavmode(h.mode);
}

void SatelliteVessel::clbkPreStep(double, double simdt, double) {
    // 1. Release and delay. The step that notices the release counts nothing.
    switch (releaseState) {
        case 0:
            if (GetAttachmentStatus(parentAttach) == NULL) releaseState = 1;
            break;
        case 1:
            releaseTime += simdt;
            if (releaseTime > kReleaseDelay) {
                releaseState = 2;
                arrayState = 1;
                nadirHold = 1;
                SwitchOffNavmodeHolds();
            }
            break;
        default:  // activated, or a state no step leads to
            break;
    }

    // 2. Attitude: the first active mode wins; serving one ends the nadir hold.
    bool served = false;
    for (const NavmodeHold &h : navmodeHolds) {
        if (GetNavmodeState(h.mode)) {
            (this->*h.hold)();
            nadirHold = 0;
            served = true;
            break;
        }
    }
    if (!served && nadirHold == 1) AlignNadir();

    // 3. Array progress.
    switch (arrayState) {
        case 0:
            arrayProc = 0.0;
            break;
        case 1:
            arrayProc = arrayProc + simdt * kDeployRate;
            if (arrayProc > kDeployed) {
                arrayProc = kDeployed;
                arrayState = 2;
            }
            break;
        case 2:
            arrayProc = kDeployed;
            break;
        default:  // a state no step leads to: the animation stays where it is
            break;
    }

    // 4. Animation.
    SetAnimation(arrayAnim, arrayProc);
}
