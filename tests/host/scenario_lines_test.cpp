// Numbers and host lines in scenario files: read back exactly, and a load
// followed by a save gives back the same lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <random>

#include "world/number_text.h"
#include "world/scenario_stream.h"
#include "world/sim_vessel.h"
#include "world/simulation.h"
#include "world/vessel_status_lines.h"

using ::testing::ElementsAre;

namespace {

TEST(NumberText, KeepsTheUsualDecimalsAndMoreOnlyWhenNeeded) {
    EXPECT_EQ(host::FormatExact(6771000.0, 3), "6771000.000");
    EXPECT_EQ(host::FormatExact(-0.5, 4), "-0.5000");
    EXPECT_EQ(host::FormatExact(0.1, 3), "0.100");
    EXPECT_EQ(host::FormatExact(7500.123456789, 4), "7500.123456789");
    EXPECT_EQ(host::FormatExact(1.0 / 3.0, 4), "0.3333333333333333");
    // Rounding residue reads as an exponent, not as twenty zeros.
    EXPECT_EQ(host::FormatExact(-1.941256521520003e-19, 3), "-1.941256521520003e-19");
    EXPECT_EQ(host::FormatExact(0.0001, 3), "0.0001");
}

TEST(NumberText, EveryDoubleReadsBackExactly) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> mag(-12, 12);
    std::uniform_int_distribution<int> sign(0, 1);
    for (int i = 0; i < 5000; ++i) {
        const double v = (sign(rng) ? 1 : -1) * std::pow(10.0, mag(rng));
        EXPECT_EQ(std::strtod(host::FormatExact(v, 3).c_str(), nullptr), v);
    }
}

TEST(NumberText, ScaledValuesComeBackBitForBit) {
    // Radians written as degrees, masses as levels: a load and a save must
    // give back the same value, and a second save the same text.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> angle(-PI, PI);
    for (int i = 0; i < 5000; ++i) {
        const double rad = std::strtod(host::FormatExact(angle(rng) * DEG, 3).c_str(), nullptr) * RAD;
        const std::string text = host::FormatScaledExact(rad, RAD, 3);
        const double back = std::strtod(text.c_str(), nullptr) * RAD;
        EXPECT_EQ(back, rad) << text;
        EXPECT_EQ(host::FormatScaledExact(back, RAD, 3), text);
    }
    // 30 and 29.999999999999996 degrees are the same radians: the file keeps the short one.
    EXPECT_EQ(host::FormatScaledExact(30 * RAD, RAD, 3), "30.000");
}

TEST(NumberText, StrictParsing) {
    double d = 0;
    int n = 0;
    EXPECT_TRUE(host::ParseDouble("-1.5e3", d));
    EXPECT_EQ(d, -1500.0);
    EXPECT_FALSE(host::ParseDouble("1.5x", d));
    EXPECT_FALSE(host::ParseDouble("", d));
    EXPECT_FALSE(host::ParseDouble("nan", d)) << "no NaN reaches a vessel's state";
    EXPECT_FALSE(host::ParseDouble("inf", d));
    EXPECT_TRUE(host::ParseInt("42", n));
    EXPECT_FALSE(host::ParseInt("4.2", n));
    EXPECT_FALSE(host::ParseInt("99999999999", n));
}

TEST(ScenarioBlockReader, HandsOutTheLinesThenReportsTheEnd) {
    host::ScenarioBlockReader r("a.scn", {{5, "RPOS 1 2 3"}, {6, "SOLP 0 0.0000"}});
    char *line = nullptr;
    ASSERT_TRUE(r.Next(line));
    EXPECT_STREQ(line, "RPOS 1 2 3");
    EXPECT_EQ(r.Current().number, 5);
    line[0] = 'X';  // modules may write into the line they were given
    ASSERT_TRUE(r.Next(line));
    EXPECT_STREQ(line, "SOLP 0 0.0000");
    EXPECT_FALSE(r.Next(line));
}

struct LineCase {
    const char *line;
    host::HostLineResult result;
};

class HostLineParsing : public ::testing::TestWithParam<LineCase> {};

TEST_P(HostLineParsing, SortsLinesIntoTakenIgnoredUnknownAndMalformed) {
    host::PendingStatus s;
    std::string problem;
    EXPECT_EQ(host::ParseHostLine(GetParam().line, s, &problem), GetParam().result) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostLineParsing,
    ::testing::Values(LineCase{"STATUS Orbiting Earth", host::HostLineResult::Taken},
                      LineCase{"status orbiting Earth", host::HostLineResult::Taken},
                      LineCase{"STATUS Landed Earth", host::HostLineResult::Malformed},
                      LineCase{"RPOS 1 2 3", host::HostLineResult::Taken},
                      LineCase{"RPOS 1 2", host::HostLineResult::Malformed},
                      LineCase{"RVEL 1 2 x", host::HostLineResult::Malformed},
                      LineCase{"AROT 10 20 30", host::HostLineResult::Taken},
                      LineCase{"VROT nan 0 0", host::HostLineResult::Malformed},
                      LineCase{"ATTACHED 0:12,Stack", host::HostLineResult::Taken},
                      LineCase{"ATTACHED 0:12", host::HostLineResult::Malformed},
                      LineCase{"ATTACHED -1:2,X", host::HostLineResult::Malformed},
                      LineCase{"PRPLEVEL 0:1.000000 1:0.5", host::HostLineResult::Taken},
                      LineCase{"PRPLEVEL 0:1.5", host::HostLineResult::Malformed},
                      LineCase{"THLEVEL 0:0.5 2:1", host::HostLineResult::Taken},
                      LineCase{"THLEVEL 0:-1", host::HostLineResult::Malformed},
                      LineCase{"NAVFREQ 0 0", host::HostLineResult::Ignored},
                      LineCase{"SOLP 0 0.0000", host::HostLineResult::Unknown}),
    [](const auto &info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char *c = info.param.line; *c != 0; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(HostLines, AFreeVesselIsWrittenAsTheSimulatorWritesItAndReadsBackTheSame) {
    host::Simulation sim;
    host::SimVessel v(sim, "V", std::make_shared<host::VesselClass>());
    v.CreatePropellant(50, 25, 1);
    v.CreatePropellant(10, 0, 1);
    v.SetRelPos(_V(6771000, -12.5, 0.001));
    v.SetRelVel(_V(0, 7672.5, 0));
    v.SetAttitudeAngles(_V(0.5, -0.25, 3.0));
    v.SetAngularVel(_V(0, 0, 0.01));
    host::ScenarioBlockWriter out;
    host::WriteHostLines(v, out);
    ASSERT_EQ(out.Lines().size(), 6u);
    EXPECT_EQ(out.Lines()[0], "STATUS Orbiting Earth");
    EXPECT_EQ(out.Lines()[1], "RPOS 6771000.000 -12.500 0.001");
    EXPECT_EQ(out.Lines()[2], "RVEL 0.0000 7672.5000 0.0000");
    EXPECT_EQ(out.Lines()[5], "PRPLEVEL 0:0.500000");

    // Read the lines back into another vessel and write again: identical.
    host::PendingStatus s;
    for (const std::string &l : out.Lines()) ASSERT_NE(host::ParseHostLine(l.c_str(), s, nullptr), host::HostLineResult::Malformed);
    EXPECT_EQ(s.arotDeg.x * RAD, 0.5);
    EXPECT_EQ(s.arotDeg.y * RAD, -0.25);
    EXPECT_EQ(s.arotDeg.z * RAD, 3.0);
    EXPECT_EQ(s.vrotDeg.z * RAD, 0.01);
}

TEST(HostLines, AVesselAtRestWritesNoRotationAndAnEmptyTankNoLevel) {
    host::Simulation sim;
    host::SimVessel v(sim, "V", std::make_shared<host::VesselClass>());
    v.CreatePropellant(50, 0, 1);
    host::ScenarioBlockWriter out;
    host::WriteHostLines(v, out);
    EXPECT_THAT(out.Lines(), ElementsAre("STATUS Orbiting Earth", "RPOS 0.000 0.000 0.000", "RVEL 0.0000 0.0000 0.0000",
                                         "AROT 0.000 0.000 0.000"));
}

}  // namespace
