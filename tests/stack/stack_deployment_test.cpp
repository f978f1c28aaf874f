// A launch from end to end: a launch vehicle carries the stack with its 60
// satellites, lets go of it, and the stack sets the satellites free and goes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stack_fixture.h"
#include "support/host_fixture.h"
#include "world/rotation.h"

using testing_support::BuildRoot;
using testing_support::IsLoaded;
using ::testing::StartsWith;

namespace {

using stack_testing::kStep;

// Variants by column. The stack gives both columns the rotation reference -x,
// so a satellite's variant alone decides how it is turned: the odd variant
// (reference -x) keeps its x axis along the stack's +x, the even variant
// (reference +x) turns it to the stack's -x; both stand with y along the
// stack's +z. The odd variant goes on the even-numbered points (column +x)
// and the even variant on the odd-numbered points (column -x), so that every
// satellite's x axis points away from the stack's centre plane and the two
// mirror-image variants face outward alike on their two sides.
const char *VariantFor(int point) { return point % 2 == 0 ? "quorvane_odd" : "quorvane_even"; }

// Short enough that the difference of gravity across the stack (about
// 2e-5 m/s^2 over its 7.6 m in low orbit) changes the satellites' speeds
// relative to the stack by less than 1e-9 m/s.
const double kReleaseStep = 1e-5;  // [s]

class StackDeployment : public stack_testing::StackTest {
protected:
    void SetUp() override {
        StackTest::SetUp();
        sim->SeedRand(20260511);
        vehicle = &Create("LV", stack_testing::kLaunchVehicleClass,
                          {"STATUS Orbiting Earth", "RPOS 6771000 1200 -300", "RVEL 5 7672 12", "AROT 30 -45 120"});
        stack = &Create("Stack", "quorvane_stack", {"STATUS Orbiting Earth", "ATTACHED 0:0,LV"});
        for (int i = 0; i < 60; ++i)
            satellites.push_back(&Create("QS" + std::to_string(i), VariantFor(i),
                                         {"STATUS Orbiting Earth", "ATTACHED 0:" + std::to_string(i) + ",Stack"}));
        FinishCreation();
    }

    // A step of the whole stack on its launch vehicle, which then lets go.
    void LetGo() {
        sim->Step(kStep);
        ASSERT_TRUE(sim->DetachChild(vehicle->AttachmentAt(false, 0), 0.25));
        ASSERT_EQ(stack->Parent(), nullptr);
    }

    // A vector of the global frame in the stack's frame.
    VECTOR3 InStackFrame(const VECTOR3 &global) const { return host::Mul(stack->Attitude().Matrix(), global); }

    host::SimVessel *vehicle = nullptr;
    host::SimVessel *stack = nullptr;
    std::vector<host::SimVessel *> satellites;
};

TEST_F(StackDeployment, EachSatelliteHangsOnItsPointFacingOutward) {
    ASSERT_EQ(stack->Parent(), vehicle);
    for (int i = 0; i < 60; ++i) {
        const host::SimVessel &sat = *satellites[i];
        ASSERT_EQ(sat.Parent(), stack) << sat.Name();
        EXPECT_EQ(sat.ParentLink()->mate, stack->AttachmentAt(false, i)) << sat.Name() << " hangs on QV" << i;
        const MATRIX3 &m = sat.Attitude().Matrix();
        const VECTOR3 x = InStackFrame(host::Row(m, 0)), y = InStackFrame(host::Row(m, 1));
        const double outward = i % 2 == 0 ? 1.0 : -1.0;
        EXPECT_NEAR(x.x, outward, 1e-12) << sat.Name() << ": x axis away from the centre plane";
        EXPECT_NEAR(y.z, 1.0, 1e-12) << sat.Name() << ": y axis along the direction of release";
    }
}

TEST_F(StackDeployment, LetGoTheStackFreesEverySatelliteAlongItsAxisThenGoes) {
    ASSERT_NO_FATAL_FAILURE(LetGo());
    const size_t release = JournalSize();
    sim->Step(kReleaseStep);
    const std::vector<double> speeds = DetachSpeeds(release);
    ASSERT_EQ(speeds.size(), 60u);
    const VECTOR3 alongStackZ = host::TMul(stack->Attitude().Matrix(), _V(0, 0, 1));  // global frame
    for (int i = 0; i < 60; ++i) {
        const host::SimVessel &sat = *satellites[i];
        EXPECT_EQ(sat.Parent(), nullptr) << sat.Name();
        const VECTOR3 relative = sat.RelVel() - stack->RelVel();
        const VECTOR3 expected = alongStackZ * speeds[i];
        EXPECT_NEAR(relative.x, expected.x, 1e-9) << sat.Name();
        EXPECT_NEAR(relative.y, expected.y, 1e-9) << sat.Name();
        EXPECT_NEAR(relative.z, expected.z, 1e-9) << sat.Name();
    }

    sim->Step(kStep);
    EXPECT_EQ(sim->FindVessel("Stack"), nullptr);
    EXPECT_FALSE(IsLoaded(BuildRoot() + "/Modules/quorvane_stack.so")) << "the stack went through ovcExit";
    EXPECT_EQ(sim->Vessels().size(), 61u) << "the vehicle and the 60 satellites fly on";
}

TEST_F(StackDeployment, EverySatelliteNoticesItsRelease) {
    ASSERT_NO_FATAL_FAILURE(LetGo());
    sim->Step(kReleaseStep);
    sim->Step(kStep);
    ASSERT_EQ(sim->FindVessel("Stack"), nullptr);
    // "DPLY 0 1 ..." is released and counting, nadir hold off.
    for (host::SimVessel *sat : satellites) {
        EXPECT_THAT(SavedLine(*sat, "DPLY"), StartsWith("DPLY 0 1 ")) << sat->Name();
    }
}

}  // namespace
