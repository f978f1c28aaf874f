// A satellite's step allocates nothing: it runs at every simulation step of
// every satellite. This test counts every allocation
// in the process, the loaded modules' included; the host's step around the
// satellites' allocates nothing either, so any count is the module's.
#include <gtest/gtest.h>

#include "satellite_fixture.h"
#include "support/allocation_counter.h"
#include "world/simulation.h"

namespace {

using satellite_testing::SatelliteTest;

class StepAllocation : public SatelliteTest {
protected:
    // Allocations made during one simulation step.
    int AllocationsOfStep(double dt) {
        testing_support::AllocationCounter counter;
        sim->Step(dt);
        return counter.Allocations();
    }
};

TEST_F(StepAllocation, NoPathOfTheStepAllocates) {
    host::SimVessel &v = Satellite({"DPLY 0 1 1999.95", "SOLP 1 0.5"});
    host::SimVessel &waiting = Satellite({}, "Q2");
    HangOnCarrier(waiting);
    sim->EnableJournal(false);  // the journal records by allocating

    EXPECT_EQ(AllocationsOfStep(0.1), 0) << "activation and nadir pointing; waiting on the carrier";
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2000.0500");
    v.SetAngularVel(_V(0.1, -0.2, 0.3));
    const int modes[] = {NAVMODE_KILLROT, NAVMODE_PROGRADE, NAVMODE_RETROGRADE, NAVMODE_NORMAL, NAVMODE_ANTINORMAL};
    for (int mode : modes) {
        v.ActivateNavmode(mode);
        EXPECT_EQ(AllocationsOfStep(0.1), 0) << "mode " << mode;
    }
    v.SetRelVel(_V(0, 0, 0));
    EXPECT_EQ(AllocationsOfStep(0.1), 0) << "a hold with no attitude to take";
}

}  // namespace
