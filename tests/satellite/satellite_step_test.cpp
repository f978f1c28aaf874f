// The satellite's step: release, delay and activation, the dispatch of the
// attitude holds, and the solar array's progress, through the real module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "satellite_fixture.h"
#include "world/call_journal.h"
#include "world/simulation.h"

using satellite_testing::SatelliteTest;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Matcher;
using ::testing::StartsWith;

namespace {

// ---- state tables ----

struct StepCase {
    const char *name;
    std::vector<std::string> lines;  // the satellite's scenario lines
    bool attached;                   // hangs on a carrier
    double dt;                       // step length [s]
    const char *solp, *dply;         // the saved values after the step
    double animation;                // the array animation's state after the step
};

class StepStates : public SatelliteTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepStates, OneStepMovesTheStatesAsTheirTablesSay) {
    const StepCase &c = GetParam();
    host::SimVessel &v = Satellite(c.lines);
    if (c.attached) HangOnCarrier(v);
    sim->Step(c.dt);
    EXPECT_EQ(Saved(v, "SOLP"), c.solp);
    EXPECT_EQ(Saved(v, "DPLY"), c.dply);
    ASSERT_EQ(v.animations.size(), 1u);
    EXPECT_DOUBLE_EQ(v.animations[0].state, c.animation);
}

INSTANTIATE_TEST_SUITE_P(
    Release, StepStates,
    ::testing::Values(
        StepCase{"waits_while_it_hangs_on_its_carrier", {}, true, 1.0, "0 0.0000", "0 0 0.0000", 0.0},
        StepCase{"notices_the_release_without_counting", {}, false, 1.0, "0 0.0000", "0 1 0.0000", 0.0},
        StepCase{"counts_each_step", {"DPLY 0 1 50"}, false, 0.5, "0 0.0000", "0 1 50.5000", 0.0},
        StepCase{"keeps_counting_when_hung_on_again", {"DPLY 0 1 10"}, true, 1.0, "0 0.0000", "0 1 11.0000", 0.0},
        StepCase{"exactly_2000_does_not_activate", {"DPLY 0 1 1999.5"}, false, 0.5, "0 0.0000", "0 1 2000.0000", 0.0},
        StepCase{"past_2000_activates_and_deploys_at_once", {"DPLY 0 1 1999.5"}, false, 0.75, "1 0.0375",
                 "1 2 2000.2500", 0.0375},
        StepCase{"zero_step_counts_nothing", {"DPLY 0 1 1999.5"}, false, 0.0, "0 0.0000", "0 1 1999.5000", 0.0},
        StepCase{"activated_stops_counting", {"DPLY 1 2 2000.25"}, false, 5.0, "0 0.0000", "1 2 2000.2500", 0.0},
        StepCase{"out_of_range_state_never_activates", {"DPLY 0 5 3000"}, false, 5.0, "0 0.0000", "0 5 3000.0000",
                 0.0},
        StepCase{"deployed_by_key_before_the_delay_ends", {"SOLP 2 1", "DPLY 0 1 1999.5"}, false, 1.0, "2 1.0000",
                 "1 2 2000.5000", 1.0}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Array, StepStates,
    ::testing::Values(
        StepCase{"stowed_folds_a_loaded_fraction", {"SOLP 0 0.7", "DPLY 0 2 0"}, false, 1.0, "0 0.0000", "0 2 0.0000",
                 0.0},
        StepCase{"deploying_advances", {"SOLP 1 0.5", "DPLY 0 2 0"}, false, 2.0, "1 0.6000", "0 2 0.0000", 0.6},
        StepCase{"exactly_one_stays_deploying", {"SOLP 1 0.5", "DPLY 0 2 0"}, false, 10.0, "1 1.0000", "0 2 0.0000",
                 1.0},
        StepCase{"past_one_clamps_and_is_deployed", {"SOLP 1 0.99", "DPLY 0 2 0"}, false, 1.0, "2 1.0000",
                 "0 2 0.0000", 1.0},
        StepCase{"deploying_zero_step_stays", {"SOLP 1 0.5", "DPLY 0 2 0"}, false, 0.0, "1 0.5000", "0 2 0.0000", 0.5},
        StepCase{"deployed_unfolds_a_loaded_fraction", {"SOLP 2 0.3", "DPLY 0 2 0"}, false, 1.0, "2 1.0000",
                 "0 2 0.0000", 1.0},
        StepCase{"out_of_range_keeps_its_fraction", {"SOLP 7 0.3", "DPLY 0 2 0"}, false, 1.0, "7 0.3000",
                 "0 2 0.0000", 0.3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SatelliteTest, ArrayAtExactlyOneIsDeployedByTheNextPositiveStepOnly) {
    host::SimVessel &v = Satellite({"SOLP 1 0.5", "DPLY 0 2 0"});
    sim->Step(10.0);
    EXPECT_EQ(v.animations[0].state, 1.0);
    EXPECT_EQ(Saved(v, "SOLP"), "1 1.0000");
    sim->Step(0.0);
    EXPECT_EQ(Saved(v, "SOLP"), "1 1.0000");
    sim->Step(0.1);
    EXPECT_EQ(Saved(v, "SOLP"), "2 1.0000");
}

TEST_F(SatelliteTest, ExactlyTwoThousandSecondsActivatesAtTheNextPositiveStepOnly) {
    host::SimVessel &v = Satellite({"DPLY 0 1 1999.5"});
    sim->Step(0.5);
    sim->Step(0.0);
    EXPECT_EQ(Saved(v, "DPLY"), "0 1 2000.0000");
    sim->Step(0.25);
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2000.2500");
}

// ---- the road from release to nadir pointing ----

TEST_F(SatelliteTest, AReleasedSatelliteCountsTheDelayThenUnfoldsAndPointsAtNadir) {
    host::SimVessel &v = Satellite();
    host::SimVessel &carrier = HangOnCarrier(v);
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "DPLY"), "0 0 0.0000") << "waits on its carrier";
    ASSERT_TRUE(sim->DetachChild(carrier.AttachmentAt(false, 0), 0.5));
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "DPLY"), "0 1 0.0000") << "the release is noticed";
    for (int i = 0; i < 200; ++i) sim->Step(10.0);
    EXPECT_EQ(Saved(v, "DPLY"), "0 1 2000.0000") << "2000 s counted, not exceeded";
    const size_t from = JournalSize();
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2010.0000");
    EXPECT_EQ(Saved(v, "SOLP"), "1 0.5000");
    EXPECT_EQ(CallsNamed("Q1", "DefSetState", from).size(), 1u) << "nadir pointing in the same step";
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "SOLP"), "1 1.0000");
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "SOLP"), "2 1.0000");
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2010.0000") << "counting is over";
}

// ---- attitude dispatch ----

struct DispatchCase {
    const char *name;
    std::vector<int> active;            // navigation modes switched on, in this order
    const char *dply;                   // scenario DPLY value: nadir hold, release state, time
    std::vector<std::string> calls;     // the step's calls, each matched by its start
    char holdAfter;                     // the nadir hold saved after the step
};

class Dispatch : public SatelliteTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(Dispatch, ServesTheFirstActiveModeOrElseTheNadirHold) {
    const DispatchCase &c = GetParam();
    host::SimVessel &v = Satellite({std::string("DPLY ") + c.dply});
    v.SetAngularVel(_V(0.01, 0, 0));
    for (int mode : c.active) v.ActivateNavmode(mode);
    const size_t from = JournalSize();
    sim->Step(0.1);
    std::vector<Matcher<std::string>> expected;
    for (const std::string &call : c.calls) expected.push_back(StartsWith(call));
    EXPECT_THAT(CallsOf("Q1", from), ElementsAreArray(expected));
    EXPECT_EQ(Saved(v, "DPLY").at(0), c.holdAfter);
}

const std::vector<std::string> kAskAll = {"GetNavmodeState(1)", "GetNavmodeState(3)", "GetNavmodeState(4)",
                                          "GetNavmodeState(5)", "GetNavmodeState(6)"};
const std::vector<std::string> kNadir = {"GetGlobalPos()", "GetStatus()", "DefSetState("};
const std::vector<std::string> kAnimate = {"SetAnimation(0, 0)"};

std::vector<std::string> Calls(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> calls;
    for (const auto &part : parts) calls.insert(calls.end(), part.begin(), part.end());
    return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dispatch,
    ::testing::Values(
        DispatchCase{"nothing_to_hold", {}, "0 2 2500", Calls({kAskAll, kAnimate}), '0'},
        DispatchCase{"nadir_hold", {}, "1 2 2500", Calls({kAskAll, kNadir, kAnimate}), '1'},
        DispatchCase{"hold_value_two_runs_nothing", {}, "2 2 2500", Calls({kAskAll, kAnimate}), '2'},
        DispatchCase{"kill_rotation_first_and_alone",
                     {NAVMODE_HLEVEL, NAVMODE_KILLROT},
                     "1 2 2500",
                     {"GetNavmodeState(1)", "GetAngularVel()", "SetAngularVel(", "SetAnimation(0, 0)"},
                     '0'},
        DispatchCase{"prograde_cancels_the_hold",
                     {NAVMODE_PROGRADE},
                     "1 2 2500",
                     {"GetNavmodeState(1)", "GetNavmodeState(3)", "GetStatus()", "DefSetState(", "SetAnimation(0, 0)"},
                     '0'},
        DispatchCase{"retrograde", {NAVMODE_RETROGRADE}, "0 2 2500",
                     {"GetNavmodeState(1)", "GetNavmodeState(3)", "GetNavmodeState(4)", "GetStatus()", "DefSetState(",
                      "SetAnimation(0, 0)"},
                     '0'},
        DispatchCase{"normal", {NAVMODE_NORMAL}, "0 2 2500",
                     {"GetNavmodeState(1)", "GetNavmodeState(3)", "GetNavmodeState(4)", "GetNavmodeState(5)",
                      "GetStatus()", "DefSetState(", "SetAnimation(0, 0)"},
                     '0'},
        DispatchCase{"antinormal_clears_an_out_of_range_hold", {NAVMODE_ANTINORMAL}, "2 2 2500",
                     Calls({kAskAll, {"GetStatus()", "DefSetState("}, kAnimate}), '0'},
        DispatchCase{"horizon_level_is_not_served", {NAVMODE_HLEVEL}, "1 2 2500", Calls({kAskAll, kNadir, kAnimate}),
                     '1'},
        DispatchCase{"hold_altitude_is_not_served", {NAVMODE_HOLDALT}, "1 2 2500", Calls({kAskAll, kNadir, kAnimate}),
                     '1'}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SatelliteTest, AServedModeCancelsTheNadirHoldForGood) {
    host::SimVessel &v = Satellite({"DPLY 1 2 2500"});
    v.ActivateNavmode(NAVMODE_PROGRADE);
    sim->Step(0.1);
    v.DeactivateNavmode(NAVMODE_PROGRADE);
    const size_t from = JournalSize();
    sim->Step(0.1);
    sim->Step(0.1);
    EXPECT_THAT(CallsNamed("Q1", "GetGlobalPos", from), ::testing::IsEmpty()) << "no nadir pointing";
    EXPECT_THAT(CallsNamed("Q1", "DefSetState", from), ::testing::IsEmpty());
    EXPECT_EQ(Saved(v, "DPLY"), "0 2 2500.0000");
}

// ---- golden journals ----

TEST_F(SatelliteTest, ActivationStepSwitchesModesOffThenPointsAtNadirThenUnfolds) {
    host::SimVessel &v = Satellite({"DPLY 0 1 1999.9"});
    v.ActivateNavmode(NAVMODE_PROGRADE);
    const std::string state = "DefSetState(" + host::CallJournal::Format(v.RelPos()) + ", " +
                              host::CallJournal::Format(v.RelVel()) + ", (0, 0, 0), (";
    const size_t from = JournalSize();
    sim->Step(0.2);
    std::vector<host::CallJournal::Entry> step(sim->Journal()->Entries().begin() + from, sim->Journal()->Entries().end());
    std::vector<std::string> calls;
    for (const auto &e : step) calls.push_back(e.vessel + ": " + e.call);
    EXPECT_THAT(calls, ElementsAre("Q1: DeactivateNavmode(1)", "Q1: DeactivateNavmode(3)", "Q1: DeactivateNavmode(4)",
                                   "Q1: DeactivateNavmode(5)", "Q1: DeactivateNavmode(6)", "Q1: GetNavmodeState(1)",
                                   "Q1: GetNavmodeState(3)", "Q1: GetNavmodeState(4)", "Q1: GetNavmodeState(5)",
                                   "Q1: GetNavmodeState(6)", "Q1: GetGlobalPos()", "Q1: GetStatus()",
                                   StartsWith("Q1: " + state), StartsWith("Q1: SetAnimation(0, 0.01")));
    EXPECT_FALSE(v.NavmodeActive(NAVMODE_PROGRADE));
    EXPECT_EQ(Saved(v, "SOLP"), "1 0.0100");
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2000.1000");
}

TEST_F(SatelliteTest, WaitingStepAsksForItsParentThenTheModesThenSetsTheAnimation) {
    host::SimVessel &v = Satellite();
    HangOnCarrier(v);
    const size_t from = JournalSize();
    sim->Step(0.1);
    EXPECT_THAT(CallsOf("Q1", from),
                ElementsAre("GetAttachmentStatus(parent:EVEN)", "GetNavmodeState(1)", "GetNavmodeState(3)",
                            "GetNavmodeState(4)", "GetNavmodeState(5)", "GetNavmodeState(6)", "SetAnimation(0, 0)"));
}

TEST_F(SatelliteTest, BothVariantsRunTheSameStep) {
    host::SimVessel &odd = Satellite({"SOLP 1 0.25", "DPLY 1 1 1999.95"}, "Q1", "quorvane_odd");
    host::SimVessel &even = Satellite({"SOLP 1 0.25", "DPLY 1 1 1999.95"}, "Q2", "quorvane_even");
    even.ActivateNavmode(NAVMODE_NORMAL);
    odd.ActivateNavmode(NAVMODE_NORMAL);
    const size_t from = JournalSize();
    for (int i = 0; i < 3; ++i) sim->Step(0.1);
    EXPECT_EQ(CallsOf("Q1", from), CallsOf("Q2", from));
    EXPECT_EQ(SaveLines(odd), SaveLines(even));
}

}  // namespace
