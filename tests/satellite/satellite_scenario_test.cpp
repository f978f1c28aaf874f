// The satellite's scenario lines through the real module: SOLP and DPLY
// written after the host's lines, read back in any case and order, and the
// host's own lines still reaching the host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "satellite_fixture.h"
#include "world/simulation.h"

using satellite_testing::SatelliteTest;
using ::testing::ElementsAre;

namespace {

// ---- reading ----

struct LoadCase {
    const char *name;
    std::vector<std::string> lines;
    const char *solp, *dply;  // what a save writes after loading them
    double animation;         // the array's animation state after loading
};

class Load : public SatelliteTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Load, ReadsItsOwnLinesAsFormattedInputDoes) {
    const LoadCase &c = GetParam();
    host::SimVessel &v = Satellite(c.lines);
    EXPECT_EQ(Saved(v, "SOLP"), c.solp);
    EXPECT_EQ(Saved(v, "DPLY"), c.dply);
    EXPECT_EQ(v.animations[0].state, c.animation) << "the array shows the loaded state before the first step";
    EXPECT_THAT(CallsNamed(v.Name(), "ParseScenarioLineEx"), ::testing::IsEmpty()) << "none went to the host";
    EXPECT_THAT(CallsNamed(v.Name(), "SetAnimation"), ElementsAre(::testing::StartsWith("SetAnimation(0, ")))
        << "once, after the last line";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Load,
    ::testing::Values(
        LoadCase{"no_lines_start_stowed_and_waiting", {}, "0 0.0000", "0 0 0.0000", 0.0},
        LoadCase{"both_lines", {"SOLP 1 0.25", "DPLY 1 2 2000.5"}, "1 0.2500", "1 2 2000.5000", 0.25},
        LoadCase{"keys_in_any_case", {"solp 1 0.25", "Dply 1 2 7"}, "1 0.2500", "1 2 7.0000", 0.25},
        LoadCase{"any_order", {"DPLY 0 1 3", "SOLP 2 1"}, "2 1.0000", "0 1 3.0000", 1.0},
        LoadCase{"only_four_characters_count", {"SOLPX 1 0.5", "DPLYZ 1 1 1"}, "0 0.0000", "0 0 0.0000", 0.0},
        LoadCase{"value_right_after_the_key", {"SOLP2 1.0", "DPLY1\t1\t1.5"}, "2 1.0000", "1 1 1.5000", 1.0},
        LoadCase{"key_alone_changes_nothing", {"SOLP 1 0.5", "SOLP", "DPLY"}, "1 0.5000", "0 0 0.0000", 0.5},
        LoadCase{"dply_without_time_keeps_the_time", {"DPLY 0 1 12.5", "DPLY 1 2"}, "0 0.0000", "1 2 12.5000", 0.0},
        LoadCase{"later_line_overwrites", {"SOLP 1 0.5", "SOLP 1 0.75"}, "1 0.7500", "0 0 0.0000", 0.75},
        LoadCase{"scan_stops_at_the_first_unreadable_field", {"DPLY 1 x 5", "SOLP 1 x 0.5"}, "1 0.0000",
                 "1 0 0.0000", 0.0},
        LoadCase{"fraction_after_an_integer_is_read_on", {"SOLP 2.5"}, "2 0.5000", "0 0 0.0000", 0.5},
        LoadCase{"integer_too_large_for_its_field_is_not_read", {"DPLY 1 99999999999 5", "SOLP -99999999999 0.5"},
                 "0 0.0000", "1 0 0.0000", 0.0},
        LoadCase{"number_too_large_for_a_double_is_not_read", {"SOLP 1 1e999", "DPLY 0 1 -1e400"}, "1 0.0000",
                 "0 1 0.0000", 0.0},
        LoadCase{"out_of_range_values_are_kept", {"SOLP -3 7.5", "DPLY 9 -1 -4"}, "-3 7.5000", "9 -1 -4.0000", 7.5}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SatelliteTest, HostLinesAmongItsOwnStillReachTheHost) {
    host::SimVessel &v = Satellite({"STATUS Orbiting Earth", "SOLP 1 0.5", "RPOS 7000000 0 0", "dply 1 2 2001",
                                    "RVEL 0 0 7500", "AROT 10 20 30", "SOLPAR 0 0"});
    EXPECT_THAT(CallsNamed("Q1", "ParseScenarioLineEx"),
                ElementsAre("ParseScenarioLineEx(\"STATUS Orbiting Earth\")", "ParseScenarioLineEx(\"RPOS 7000000 0 0\")",
                            "ParseScenarioLineEx(\"RVEL 0 0 7500\")", "ParseScenarioLineEx(\"AROT 10 20 30\")"));
    EXPECT_EQ(Saved(v, "SOLP"), "1 0.5000") << "SOLPAR counted as a SOLP line and read nothing";
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2001.0000");
}

TEST_F(SatelliteTest, HostPositionFromTheScenarioReachesTheVessel) {
    std::string error;
    std::vector<host::ScenarioLine> lines = {{1, "RPOS 7000000 0 0"}, {2, "SOLP 0 0"}, {3, "RVEL 0 0 7500"}};
    host::ScenarioBlockReader block("test.scn", lines);
    host::SimVessel *v = sim->CreateVessel("Q1", "quorvane_even", &block, &error);
    ASSERT_NE(v, nullptr) << error;
    EXPECT_EQ(v->RelPos().x, 7000000.0);
    EXPECT_EQ(v->RelVel().z, 7500.0);
}

// ---- writing ----

TEST_F(SatelliteTest, SaveWritesTheHostLinesFirstThenSolpThenDply) {
    host::SimVessel &v = Satellite({"SOLP 1 0.5", "DPLY 0 1 90"});
    const size_t from = JournalSize();
    const std::vector<std::string> lines = SaveLines(v);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "STATUS Orbiting Earth");
    EXPECT_EQ(lines[lines.size() - 2], "SOLP 1 0.5000");
    EXPECT_EQ(lines.back(), "DPLY 0 1 90.0000");
    std::vector<std::string> calls;
    for (size_t i = from; i < sim->Journal()->Entries().size(); ++i) calls.push_back(sim->Journal()->Entries()[i].call);
    EXPECT_THAT(calls, ElementsAre("VESSEL2::clbkSaveState()", "oapiWriteScenario_string(\"SOLP\", \"1 0.5000\")",
                                   "oapiWriteScenario_string(\"DPLY\", \"0 1 90.0000\")"));
}

struct RoundTripCase {
    const char *name;
    std::vector<std::string> lines;
};

class RoundTrip : public SatelliteTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTrip, SaveLoadSaveGivesTheSameLines) {
    host::SimVessel &first = Satellite(GetParam().lines, "Q1");
    const std::vector<std::string> saved = SaveLines(first);
    host::SimVessel &second = Create("Q2", "quorvane_odd", saved, true);
    EXPECT_EQ(SaveLines(second), saved);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundTrip,
    ::testing::Values(RoundTripCase{"on_its_stack", {"SOLP 0 0.0000", "DPLY 0 0 0.0000"}},
                      RoundTripCase{"counting", {"SOLP 0 0.0000", "DPLY 0 1 50.0000"}},
                      RoundTripCase{"deploying_by_key", {"SOLP 1 0.5000", "DPLY 0 1 90.0000"}},
                      RoundTripCase{"activated", {"SOLP 2 1.0000", "DPLY 1 2 2000.0100"}},
                      RoundTripCase{"more_than_four_decimals", {"SOLP 1 0.123456789", "DPLY 0 1 1999.99999"}},
                      RoundTripCase{"absurdly_large", {"SOLP 1 1e300", "DPLY -2147483648 2147483647 -1.5e250"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SatelliteTest, AfterASaveAndReloadTheTimesKeepFourDecimals) {
    host::SimVessel &v = Satellite({"SOLP 1 0.123456789", "DPLY 0 1 1999.99999"});
    EXPECT_EQ(Saved(v, "SOLP"), "1 0.1235");
    EXPECT_EQ(Saved(v, "DPLY"), "0 1 2000.0000");
}

struct AbsurdCase {
    const char *name;
    const char *key;
    std::string line;   // as loaded
    double value;       // the double the line holds last
    size_t length;      // of the saved value text
    bool fourDecimals;  // whether the text keeps the four-decimal form
};

class AbsurdValues : public SatelliteTest, public ::testing::WithParamInterface<AbsurdCase> {};

TEST_P(AbsurdValues, FitTheirTextAndReadBackUnchanged) {
    const AbsurdCase &c = GetParam();
    host::SimVessel &v = Satellite({c.line});
    const std::string text = Saved(v, c.key);
    EXPECT_EQ(text.size(), c.length) << text;
    EXPECT_EQ(text.size() > 5 && text.compare(text.size() - 5, 5, ".0000") == 0, c.fourDecimals) << text;
    const size_t last = text.rfind(' ');
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(std::strtod(text.c_str() + last + 1, nullptr), c.value) << text;
    // And the satellite reads it back to the same text.
    host::SimVessel &again = Satellite({std::string(c.key) + " " + text}, "Q2");
    EXPECT_EQ(Saved(again, c.key), text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AbsurdValues,
    ::testing::Values(
        AbsurdCase{"longest_text_that_fits", "DPLY", "DPLY 1 2 1e245", 1e245, 255, true},
        AbsurdCase{"one_digit_too_long", "DPLY", "DPLY 1 2 1e246", 1e246, 27, false},
        AbsurdCase{"largest_fraction", "SOLP", "SOLP -2147483648 1.7976931348623157e308", 1.7976931348623157e308, 35,
                   false},
        AbsurdCase{"large_negative_time", "DPLY", "DPLY -2147483648 -2147483648 -1e250", -1e250, 48, false}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
