// Watching a simulation from outside: what happens in a step, at the points of
// the step loop where the world is in a known state. Observers only look; they
// change nothing. A simulation without observers pays one test of an empty
// list per notification point.
#ifndef QUORVANE_HOST_WORLD_STEP_OBSERVER_H
#define QUORVANE_HOST_WORLD_STEP_OBSERVER_H

namespace host {

class Simulation;
class SimVessel;

class StepObserver {
public:
    virtual ~StepObserver() = default;

    // Every vessel's clbkPreStep of step number `step` (counted from 1) has
    // run; positions and velocities are still those at the step's start t0.
    virtual void PreStepsDone(const Simulation &sim, unsigned long long step, double t0, double dt) {
        (void)sim, (void)step, (void)t0, (void)dt;
    }
    // The states have been advanced to the step's end t1 (before any
    // clbkPostStep and before deleted vessels are removed).
    virtual void StatesUpdated(const Simulation &sim, unsigned long long step, double t1, double dt) {
        (void)sim, (void)step, (void)t1, (void)dt;
    }
    // The parent has let go of the child (DetachChild), which now has its
    // velocity of separation. Within a step or between steps, as it happens.
    virtual void Detached(const Simulation &sim, const SimVessel &parent, const SimVessel &child, double speed) {
        (void)sim, (void)parent, (void)child, (void)speed;
    }
    // The vessel is about to leave the simulation: removed after a step that
    // asked for its deletion, or destroyed by the host. Not called while the
    // simulation itself ends.
    virtual void Removing(const Simulation &sim, const SimVessel &vessel) { (void)sim, (void)vessel; }
};

}  // namespace host

#endif
