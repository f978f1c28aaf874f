// The stack's step: the release of its children when it hangs on nothing,
// its deletion one step later, and nothing at all while it is carried.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "stack_fixture.h"
#include "support/host_fixture.h"

using testing_support::BuildRoot;
using testing_support::IsLoaded;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

using stack_testing::DeletionRequest;
using stack_testing::kStep;

using StackRelease = stack_testing::StackTest;

// Hands out the values of a list in turn, then starts again.
std::function<double()> Sequence(std::vector<double> values) {
    size_t next = 0;
    return [values, next]() mutable { return values[next++ % values.size()]; };
}

TEST_F(StackRelease, AFreeStackReleasesEveryChildInItsFirstStepAndGoesInTheNext) {
    // Random parts that differ from child to child, exact in binary.
    std::vector<double> draws;
    for (int i = 0; i < 60; ++i) draws.push_back(((i * 37) % 64) / 64.0);
    sim->SetRandSource(Sequence(draws));
    Create("S", "quorvane_stack");
    FinishCreation();

    const size_t releaseStep = JournalSize();
    sim->Step(kStep);
    std::vector<::testing::Matcher<std::string>> expected = {"GetAttachmentStatus(parent:K7)"};
    for (int i = 0; i < 60; ++i) {
        expected.push_back("oapiRand()");
        expected.push_back(StartsWith("DetachChild(child:QV" + std::to_string(i) + ", "));
    }
    EXPECT_THAT(CallsWithFree("S", releaseStep), ElementsAreArray(expected))
        << "a draw immediately before each detach, in index order; no deletion yet";
    // The speeds, read back from the calls, against the base speed of each child.
    const std::vector<double> speeds = DetachSpeeds(releaseStep);
    ASSERT_EQ(speeds.size(), 60u);
    for (int i = 0; i < 60; ++i) EXPECT_NEAR(speeds[i], (59 - i) / 100.0 + draws[i] * 0.005, 1e-15) << "child " << i;
    ASSERT_NE(sim->FindVessel("S"), nullptr);

    const size_t deletionStep = JournalSize();
    sim->Step(kStep);
    EXPECT_THAT(CallsWithFree("S", deletionStep), ElementsAreArray(DeletionRequest("S")));
    EXPECT_EQ(sim->FindVessel("S"), nullptr);
    EXPECT_FALSE(IsLoaded(BuildRoot() + "/Modules/quorvane_stack.so")) << "its only vessel went through ovcExit";
}

// The base speeds the stack gives, for a random part of 0.
const struct {
    int child;
    double speed;  // [m/s]
} kBaseSpeeds[] = {{0, 0.59}, {1, 0.58}, {2, 0.57}, {10, 0.49}, {29, 0.3}, {30, 0.29}, {58, 0.01}, {59, 0.0}};

struct Generator {
    const char *name;
    std::vector<double> draws;  // repeated over the 60 children
};

void PrintTo(const Generator &g, std::ostream *os) { *os << g.name; }

class StackReleaseSpeeds : public stack_testing::StackTest, public ::testing::WithParamInterface<Generator> {};

TEST_P(StackReleaseSpeeds, FallStrictlyWithTheIndexWhateverTheDraws) {
    sim->SetRandSource(Sequence(GetParam().draws));
    Create("S", "quorvane_stack");
    FinishCreation();
    const size_t from = JournalSize();
    sim->Step(kStep);
    const std::vector<double> speeds = DetachSpeeds(from);
    ASSERT_EQ(speeds.size(), 60u);
    for (int i = 0; i < 60; ++i) {
        const double base = (59 - i) / 100.0;
        EXPECT_GE(speeds[i], base - 1e-15) << "child " << i;
        EXPECT_LE(speeds[i], base + 0.005 + 1e-15) << "child " << i;
        if (i > 0) {
            EXPECT_GT(speeds[i - 1], speeds[i]) << "child " << i - 1 << " leaves faster than child " << i;
        }
    }
    if (GetParam().draws == std::vector<double>{0.0}) {
        for (const auto &b : kBaseSpeeds) EXPECT_NEAR(speeds[b.child], b.speed, 1e-15) << "child " << b.child;
    }
}

const double kJustBelowOne = std::nextafter(1.0, 0.0);

INSTANTIATE_TEST_SUITE_P(Table, StackReleaseSpeeds,
                         ::testing::Values(Generator{"zero", {0.0}}, Generator{"just_below_one", {kJustBelowOne}},
                                           // Each child slow, the next as fast as it can be.
                                           Generator{"alternating", {0.0, kJustBelowOne}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(StackRelease, ACarriedStackDoesNothingButLook) {
    host::SimVessel &vehicle = CreateLaunchVehicle();
    host::SimVessel &stack = Create("S", "quorvane_stack", {"ATTACHED 0:0,LV"});
    host::SimVessel &sat = Create("Q0", "quorvane_odd", {"ATTACHED 0:0,S"});
    FinishCreation();
    ASSERT_EQ(stack.Parent(), &vehicle);
    for (int step = 0; step < 3; ++step) {
        const size_t from = JournalSize();
        sim->Step(kStep);
        EXPECT_THAT(CallsOf("S", from), ElementsAre("GetAttachmentStatus(parent:K7)")) << "step " << step;
    }
    EXPECT_THAT(sim->Journal()->Matching("oapiRand"), IsEmpty());
    EXPECT_THAT(sim->Journal()->Matching("DetachChild"), IsEmpty());
    EXPECT_EQ(sat.Parent(), &stack);
    EXPECT_NE(sim->FindVessel("S"), nullptr);
}

TEST_F(StackRelease, LetGoByItsCarrierTheStackReleasesInTheNextStep) {
    host::SimVessel &vehicle = CreateLaunchVehicle();
    host::SimVessel &stack = Create("S", "quorvane_stack", {"ATTACHED 0:0,LV"});
    FinishCreation();
    sim->Step(kStep);
    ASSERT_TRUE(sim->DetachChild(vehicle.AttachmentAt(false, 0), 0.3));
    ASSERT_EQ(stack.Parent(), nullptr);
    const size_t from = JournalSize();
    sim->Step(kStep);
    EXPECT_EQ(DetachSpeeds(from).size(), 60u);
    EXPECT_THAT(sim->Journal()->Matching("oapiDeleteVessel"), IsEmpty());
    sim->Step(kStep);
    EXPECT_EQ(sim->FindVessel("S"), nullptr);
    EXPECT_NE(sim->FindVessel("LV"), nullptr);
}

}  // namespace
