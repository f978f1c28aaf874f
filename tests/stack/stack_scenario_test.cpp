// The stack's DPLY line: written after the host's lines, read in any case of
// letters, and what each value read makes the stack do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "stack_fixture.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

using stack_testing::DeletionRequest;
using stack_testing::kStep;

using StackScenario = stack_testing::StackTest;

TEST_F(StackScenario, WritesItsLineAfterTheHostLines) {
    std::vector<std::string> turning = stack_testing::InLowOrbit();
    turning.insert(turning.end(), {"AROT 10 20 30", "VROT 1 0 0"});
    host::SimVessel &free = Create("S", "quorvane_stack", turning);
    EXPECT_THAT(SavedLines(free), ElementsAre("STATUS Orbiting Earth", StartsWith("RPOS "), StartsWith("RVEL "),
                                              StartsWith("AROT "), StartsWith("VROT "), "DPLY 0"));

    CreateLaunchVehicle();
    host::SimVessel &carried = Create("S2", "quorvane_stack", {"ATTACHED 0:0,LV"});
    FinishCreation();
    EXPECT_THAT(SavedLines(carried), ElementsAre("STATUS Orbiting Earth", "ATTACHED 0:0,LV", "DPLY 0"));
}

TEST_F(StackScenario, ASaveBetweenReleaseAndDeletionWritesOneAndResumesWithTheDeletion) {
    host::SimVessel &stack = Create("S", "quorvane_stack", stack_testing::InLowOrbit());
    FinishCreation();
    sim->Step(kStep);
    const std::vector<std::string> saved = SavedLines(stack);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.back(), "DPLY 1");

    // The saved block, loaded into a new simulation, picks up where the first
    // stopped: deletion at its first step, nothing detached.
    sim.reset();
    StackTest::SetUp();
    Create("S", "quorvane_stack", saved);
    FinishCreation();
    const size_t from = JournalSize();
    sim->Step(kStep);
    EXPECT_THAT(CallsWithFree("S", from), ElementsAreArray(DeletionRequest("S")));
    EXPECT_EQ(sim->FindVessel("S"), nullptr);
}

// What a stack does in its first steps, in free flight.
enum class Behaviour {
    Releases,       // detaches its 60 points in step 1, asks for its deletion in step 2
    DeletesAtOnce,  // asks for its deletion in step 1 and detaches nothing
    Inert,          // makes no call at all, and stays
};

struct LoadCase {
    const char *name;
    std::vector<std::string> lines;  // the stack's own lines among the host's
    const char *saved;               // the DPLY line a save writes back
    Behaviour behaviour;
};

// Cases print by name, in test listings too.
void PrintTo(const LoadCase &c, std::ostream *os) { *os << c.name; }

class StackScenarioLoad : public stack_testing::StackTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(StackScenarioLoad, ReadsTheStateAndActsOnIt) {
    std::vector<std::string> block = {"STATUS Orbiting Earth", "RPOS 6771000 0 0"};
    block.insert(block.end(), GetParam().lines.begin(), GetParam().lines.end());
    block.push_back("RVEL 0 7672 0");
    host::SimVessel &stack = Create("S", "quorvane_stack", block);
    FinishCreation();
    EXPECT_EQ(stack.RelPos().x, 6771000.0) << "host lines reach the host";
    EXPECT_EQ(stack.RelVel().y, 7672.0) << "host lines after the stack's own reach the host";
    EXPECT_THAT(sim->Warnings(), IsEmpty());
    EXPECT_EQ(SavedLine(stack, "DPLY"), GetParam().saved);

    const size_t step1 = JournalSize();
    sim->Step(kStep);
    const size_t step2 = JournalSize();
    switch (GetParam().behaviour) {
        case Behaviour::Releases:
            EXPECT_EQ(DetachSpeeds(step1).size(), 60u);
            EXPECT_THAT(sim->Journal()->Matching("oapiDeleteVessel"), IsEmpty());
            sim->Step(kStep);
            EXPECT_THAT(CallsWithFree("S", step2), ElementsAreArray(DeletionRequest("S")));
            EXPECT_EQ(sim->FindVessel("S"), nullptr);
            break;
        case Behaviour::DeletesAtOnce:
            EXPECT_THAT(CallsWithFree("S", step1), ElementsAreArray(DeletionRequest("S")));
            EXPECT_EQ(sim->FindVessel("S"), nullptr);
            break;
        case Behaviour::Inert:
            for (int i = 0; i < 5; ++i) sim->Step(kStep);
            EXPECT_THAT(CallsWithFree("S", step1), IsEmpty()) << "never releases, never deletes itself";
            ASSERT_NE(sim->FindVessel("S"), nullptr);
            EXPECT_EQ(SavedLine(stack, "DPLY"), GetParam().saved);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StackScenarioLoad,
    ::testing::Values(
        LoadCase{"none", {}, "DPLY 0", Behaviour::Releases},
        LoadCase{"held", {"DPLY 0"}, "DPLY 0", Behaviour::Releases},
        LoadCase{"released", {"DPLY 1"}, "DPLY 1", Behaviour::DeletesAtOnce},
        LoadCase{"lower_case_key", {"dply 1"}, "DPLY 1", Behaviour::DeletesAtOnce},
        LoadCase{"mixed_case_key", {"Dply 1"}, "DPLY 1", Behaviour::DeletesAtOnce},
        LoadCase{"no_blank_after_key", {"DPLY1"}, "DPLY 1", Behaviour::DeletesAtOnce},
        LoadCase{"tab_before_value", {"DPLY\t1"}, "DPLY 1", Behaviour::DeletesAtOnce},
        LoadCase{"later_line_wins", {"DPLY 1", "DPLY 0"}, "DPLY 0", Behaviour::Releases},
        LoadCase{"no_number", {"DPLY"}, "DPLY 0", Behaviour::Releases},
        LoadCase{"no_number_keeps_earlier", {"DPLY 1", "DPLY x"}, "DPLY 1", Behaviour::DeletesAtOnce},
        // The key's fifth character is where reading starts: X is no number.
        LoadCase{"longer_key", {"DPLYX 1"}, "DPLY 0", Behaviour::Releases},
        LoadCase{"two", {"DPLY 2"}, "DPLY 2", Behaviour::Inert},
        LoadCase{"negative", {"DPLY -1"}, "DPLY -1", Behaviour::Inert},
        // Beyond the range of int: held at its end, never wrapped round to 1.
        LoadCase{"beyond_int", {"DPLY 4294967297"}, "DPLY 2147483647", Behaviour::Inert},
        LoadCase{"beyond_int_negative", {"DPLY -4294967295"}, "DPLY -2147483648", Behaviour::Inert}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
