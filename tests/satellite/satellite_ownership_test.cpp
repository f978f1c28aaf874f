// What a satellite owns: its fields after set-up, and the six array
// transforms its destruction frees. The satellite is compiled into this test,
// which counts what is freed.
#include <gtest/gtest.h>

#include "frame/module_entry.h"
#include "satellite_vessel.h"
#include "support/allocation_counter.h"
#include "support/host_fixture.h"
#include "support/sound_fixture.h"
#include "world/sim_vessel.h"

class SatelliteVesselTestAccess {
public:
    static MGROUP_ROTATE *const *Transforms(SatelliteVessel &s) { return s.arrayRot; }
    static ANIMATIONCOMPONENT_HANDLE *Components(SatelliteVessel &s) { return s.arrayComp; }
    static void ExpectFreshState(SatelliteVessel &s) {
        EXPECT_EQ(s.arrayProc, 0.0);
        EXPECT_EQ(s.releaseTime, 0.0);
        EXPECT_EQ(s.arrayState, 0);
        EXPECT_EQ(s.releaseState, 0);
        EXPECT_EQ(s.nadirHold, 0);
    }
    static int &SoundId(SatelliteVessel &s) { return s.soundId; }
    static void Scribble(SatelliteVessel &s) {
        s.arrayProc = 0.7;
        s.releaseTime = 12.0;
        s.arrayState = 2;
        s.releaseState = 1;
        s.nadirHold = 1;
    }
};

namespace {

using Access = SatelliteVesselTestAccess;

class SatelliteOwnership : public testing_support::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        auto cls = std::make_shared<host::VesselClass>();
        cls->name = "quorvane_odd";
        body = std::make_unique<host::SimVessel>(*sim, "Q1", cls);
    }
    void TearDown() override {
        body.reset();
        HostTest::TearDown();
    }
    std::unique_ptr<host::SimVessel> body;  // the host's side of the satellite
};

TEST_F(SatelliteOwnership, SetUpZeroesTheStateWhateverTheObjectHeld) {
    auto *sat = static_cast<SatelliteVessel *>(CreateModuleVessel(body->Handle(), 1));
    ASSERT_NE(sat, nullptr);
    Access::Scribble(*sat);
    sat->clbkSetClassCaps(nullptr);
    Access::ExpectFreshState(*sat);
    // Five component handles kept, each the host's component of that rank.
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Access::Components(*sat)[k], body->animations[0].components[k].get()) << k;
    DestroyModuleVessel(sat);
}

TEST_F(SatelliteOwnership, DestructionFreesExactlyTheSixTransformsOnce) {
    auto *sat = static_cast<SatelliteVessel *>(CreateModuleVessel(body->Handle(), 1));
    sat->clbkSetClassCaps(nullptr);
    MGROUP_ROTATE *transforms[6];
    for (int k = 0; k < 6; ++k) {
        transforms[k] = Access::Transforms(*sat)[k];
        ASSERT_NE(transforms[k], nullptr);
        // The host holds the module's transform, not a copy.
        EXPECT_EQ(body->animations[0].components[k]->transform, transforms[k]);
    }
    testing_support::AllocationCounter counter;
    DestroyModuleVessel(sat);
    ASSERT_EQ(counter.Deallocations(), 7) << "six transforms and the object itself";
    for (int k = 0; k < 6; ++k) EXPECT_EQ(counter.TimesFreed(transforms[k]), 1) << "transform " << k;
    // Nothing of the host's went: the animation and its components remain.
    EXPECT_EQ(body->animations[0].components.size(), 6u);
}

TEST_F(SatelliteOwnership, PostCreationWithoutTheSoundAddOnLeavesTheSoundIdAtMinusOne) {
    testing_support::ScratchDirectory scratch;  // the sound log goes to the current directory
    auto *sat = static_cast<SatelliteVessel *>(CreateModuleVessel(body->Handle(), 1));
    sat->clbkSetClassCaps(nullptr);
    Access::SoundId(*sat) = 7;
    sat->clbkPostCreation();
    EXPECT_EQ(Access::SoundId(*sat), -1);
    DestroyModuleVessel(sat);
}

TEST_F(SatelliteOwnership, DestroyingBeforeSetUpFreesOnlyTheObject) {
    VESSEL *sat = CreateModuleVessel(body->Handle(), 1);
    testing_support::AllocationCounter counter;
    DestroyModuleVessel(sat);
    EXPECT_EQ(counter.Deallocations(), 1);
}

}  // namespace
