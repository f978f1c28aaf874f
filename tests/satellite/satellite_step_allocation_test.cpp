// A satellite's step allocates nothing: it runs at every simulation step of
// every satellite. This test's global operator new counts every allocation
// in the process, the loaded modules' included; the host's step around the
// satellites' allocates nothing either, so any count is the module's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "satellite_fixture.h"
#include "world/simulation.h"

namespace {

bool counting = false;
int allocations = 0;

void *Allocate(std::size_t n) {
    if (counting) ++allocations;
    return std::malloc(n == 0 ? 1 : n);
}

}  // namespace

void *operator new(std::size_t n) {
    if (void *p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t n) {
    if (void *p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }

namespace {

using satellite_testing::SatelliteTest;

class StepAllocation : public SatelliteTest {
protected:
    // Allocations made during one simulation step.
    int AllocationsOfStep(double dt) {
        allocations = 0;
        counting = true;
        sim->Step(dt);
        counting = false;
        return allocations;
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
