// The vessels' post-creation with the sound add-on, through the real modules:
// what each class asks of each variant of the add-on, what the log shows, and
// the log limit that each module keeps for itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/sound_fixture.h"

using namespace testing_support;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// What a vessel asks of a working add-on after creation, for the id it gets.
std::vector<std::string> PostCreationCalls(const std::string &className, OBJHANDLE handle, int soundId) {
    const std::string id = std::to_string(soundId);
    std::vector<std::string> calls = {"GetVesselSoundID3(" + HandleText(handle) + ")"};
    if (className != "quorvane_stack")
        calls.push_back("ReplaceStockOBSound3(" + id + ", \"" + kAttitudeSustainWave + "\", 10)");
    for (int option : {4, 1, 12, 13, 14, 17, 11, 9})
        calls.push_back("SoundOption3(" + id + ", " + std::to_string(option) + ", 0)");
    return calls;
}

// The log message each connect writes with a variant, if any, and whether the
// vessel gets the add-on's id.
struct AddOnOutcome {
    SoundAddOn variant;
    const char *message;  // null: nothing logged
    bool getsId;
};

void PrintTo(const AddOnOutcome &o, std::ostream *os) { *os << SoundAddOnName(o.variant); }

const AddOnOutcome kOutcomes[] = {
    {SoundAddOn::kNone, kErrNotInstalled, false},
    {SoundAddOn::kComplete, nullptr, true},
    {SoundAddOn::kWithout3d, kErrNo3d, true},
    {SoundAddOn::kWithoutSoundId, kErrNoSoundId, false},
    // SoundOption3 and ReplaceStockOBSound3 are there: the id of -1 alone keeps them uncalled.
    {SoundAddOn::kWithoutSetFrequency, kErrMissingRoutines, false},
};

const std::vector<std::string> kClasses = {"quorvane_odd", "quorvane_even", "quorvane_stack"};

class VesselSound : public SoundTest, public ::testing::WithParamInterface<std::tuple<std::string, AddOnOutcome>> {};

TEST_P(VesselSound, EachVesselConnectsLogsAndSetsItsOptions) {
    const std::string className = std::get<0>(GetParam());
    const AddOnOutcome outcome = std::get<1>(GetParam());
    ASSERT_TRUE(LoadAddOn(outcome.variant));
    if (outcome.variant != SoundAddOn::kNone) SetNextSoundId(41);

    host::SimVessel &a = Create("A", className);
    host::SimVessel &b = Create("B", className);
    const size_t from = JournalSize();
    FinishCreation();

    // One entry for each vessel, under one header.
    std::vector<std::string> messages;
    if (outcome.message != nullptr) messages = {outcome.message, outcome.message};
    EXPECT_EQ(LogText(), messages.empty() ? std::string() : LogWith(messages));

    std::vector<std::string> expected;
    if (outcome.getsId) {
        expected = PostCreationCalls(className, a.Handle(), 41);
        const std::vector<std::string> second = PostCreationCalls(className, b.Handle(), 42);
        expected.insert(expected.end(), second.begin(), second.end());
    }
    EXPECT_THAT(AddOnCalls(), ElementsAreArray(expected));

    // Of the host, the connector asks only each vessel's handle.
    EXPECT_THAT(CallsOf("A", from), ElementsAre("GetHandle()"));
    EXPECT_THAT(CallsOf("B", from), ElementsAre("GetHandle()"));
}

INSTANTIATE_TEST_SUITE_P(ClassesAndAddOns, VesselSound,
                         ::testing::Combine(::testing::ValuesIn(kClasses), ::testing::ValuesIn(kOutcomes)),
                         [](const auto &info) {
                             return std::get<0>(info.param) + "_" +
                                    SoundAddOnName(std::get<1>(info.param).variant);
                         });

class UnusableLog : public SoundTest, public ::testing::WithParamInterface<SoundAddOn> {};

TEST_P(UnusableLog, DisturbsNoVessel) {
    std::filesystem::create_directory(kLogFileName);
    ASSERT_TRUE(LoadAddOn(GetParam()));
    host::SimVessel &sat = Create("Q", "quorvane_odd");
    host::SimVessel &stack = Create("S", "quorvane_stack");
    FinishCreation();
    if (GetParam() != SoundAddOn::kNone) {
        std::vector<std::string> expected = PostCreationCalls("quorvane_odd", sat.Handle(), 0);
        const std::vector<std::string> second = PostCreationCalls("quorvane_stack", stack.Handle(), 1);
        expected.insert(expected.end(), second.begin(), second.end());
        EXPECT_THAT(AddOnCalls(), ElementsAreArray(expected));
    }
    EXPECT_TRUE(std::filesystem::is_directory(kLogFileName));
    EXPECT_TRUE(std::filesystem::is_empty(kLogFileName));
    sim->Step(1.0);  // and the vessels fly on
}

// Without the add-on, and with one that makes the connector log a warning.
INSTANTIATE_TEST_SUITE_P(LoggingAddOns, UnusableLog, ::testing::Values(SoundAddOn::kNone, SoundAddOn::kWithout3d),
                         [](const auto &info) { return std::string(SoundAddOnName(info.param)); });

using SoundLogLimit = SoundTest;

TEST_F(SoundLogLimit, EachModuleWritesAtMost101EntriesOfItsOwn) {
    // 101 satellites of one module fill its share of the log.
    for (int i = 0; i < 101; ++i) Create("Q" + std::to_string(i), "quorvane_odd");
    FinishCreation();
    ASSERT_EQ(LogEntryCount(), 101);

    Create("Q101", "quorvane_odd");
    FinishCreation();
    EXPECT_EQ(LogEntryCount(), 101) << "the odd module's 102nd entry";

    // Another module loaded at the same time keeps its own count.
    Create("S", "quorvane_stack");
    FinishCreation();
    EXPECT_EQ(LogText(), LogWith(std::vector<std::string>(102, kErrNotInstalled)));
}

}  // namespace
