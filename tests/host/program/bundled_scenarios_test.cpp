// The bundled scenarios, run as users run them: the checkout flies a
// satellite through its keys, a navigation mode and a burn; the reference
// deployment goes the road from the stack's release to deployed,
// nadir-pointing satellites. The report, the saved scenario, the trace and the
// HUD pictures show it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "host_interface.h"
#include "program_runner.h"
#include "support/install_tree.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A row of a trace: time, vessel, velocity [m/s] and angular velocity [deg/s].
struct Sample {
    double t;
    std::string vessel;
    VECTOR3 v, w;
};

std::vector<Sample> Samples(const std::string &csv) {
    std::vector<Sample> rows;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) f.push_back(field);
        if (f.size() != 15) continue;
        auto number = [&](int i) { return std::atof(f[i].c_str()); };
        rows.push_back({number(0), f[1], _V(number(6), number(7), number(8)), _V(number(12), number(13), number(14))});
    }
    return rows;
}

TEST(SatelliteCheckout, KeysANavigationModeAndABurnShowInTheSavedScenarioAndTheHud) {
    testing_support::InstallTree work;  // the working folder; the installation is the build tree
    const testing_support::ProgramResult r = testing_support::RunQuorvaneSim(
        {"Quorvane/satellite_checkout", "--save", "end.scn", "--trace", "t.csv", "--trace-every", "1"}, work.Root());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "no warnings";

    // G deployed the array; K switched nadir pointing on after kill rotation
    // ended; the satellite counts since its release at the first step.
    const std::string saved = work.ReadFile("end.scn");
    EXPECT_THAT(saved, HasSubstr("\n  SOLP 2 1.0000\n"));
    EXPECT_THAT(saved, ::testing::ContainsRegex("\n  DPLY 1 1 699\\.9[0-9]{3}\n"));
    // Nadir pointing holds the attitude with no rotation; the burn used propellant and is over.
    EXPECT_THAT(saved, Not(HasSubstr("VROT")));
    EXPECT_THAT(saved, Not(HasSubstr("THLEVEL")));
    EXPECT_THAT(saved, HasSubstr("\n  PRPLEVEL 0:0.99998909"));

    // Keypad 8 turned the satellite to the -10 deg/s limit and no further;
    // kill rotation stopped it.
    const std::vector<Sample> samples = Samples(work.ReadFile("t.csv"));
    ASSERT_EQ(samples.size(), 701u);
    for (const Sample &s : samples) {
        for (double w : s.w.data) EXPECT_LE(std::fabs(w), 10.0) << "at " << s.t << " s";
        if (s.t >= 26 && s.t <= 40) {
            EXPECT_EQ(s.w.x, -10.0) << "at " << s.t << " s";
        }
        if (s.t >= 46 && s.t <= 60) {
            EXPECT_EQ(s.w.x, 0.0) << "at " << s.t << " s";
        }
    }

    // The HUD before and after: the dV falls with the propellant, the
    // deployment key goes once the array is out, nadir pointing shows on.
    const std::string start = work.ReadFile("satellite_checkout_start.svg");
    const std::string end = work.ReadFile("satellite_checkout_end.svg");
    EXPECT_THAT(start, HasSubstr("fill=\"#66ff66\">Available dV 2189.74 m/s</text>"));
    EXPECT_THAT(start, HasSubstr(">K = Nadir Pointing</text>"));
    EXPECT_THAT(start, HasSubstr(">G = Deploy Array</text>"));
    EXPECT_THAT(end, HasSubstr("fill=\"#66ff66\">Available dV 2189.72 m/s</text>"));
    EXPECT_THAT(end, HasSubstr(">K = Nadir Pointing ON</text>"));
    EXPECT_THAT(end, Not(HasSubstr("G = Deploy Array")));
}

// The README's first command: the main job, as a user on a fresh machine runs
// it, twice.
TEST(MainJob, ReportsTheRoadAndTwoRunsSaveTheSameEnd) {
    testing_support::InstallTree work;  // the working folder; the installation is the build tree
    const testing_support::ProgramResult r = testing_support::RunQuorvaneSim(
        {"--trace", "t.csv", "--trace-every", "100", "--event", "2030.1 hud QS-00 1280x720 hud.svg"}, work.Root());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char *line :
         {"\n  Stack let go by Launcher          t = 10.000 s (step 101)\n",
          "\n  Stack set 60 satellites free      t = 10.000 s (step 101)\n",
          "\n  Stack removed                     t = 10.200 s (step 102), the step after the release\n",
          "\n  Arrays start to unfold            t = 2010.100 s (step 20102)\n",
          "\n  Arrays fully out                  t = 2030.100 s (step 20301)\n",
          "\n  Final scenario                    reference_deployment_end.scn\n",
          "\nquorvane-sim: 20301 steps of 0.1 s to t = 2030.100 s"})
        EXPECT_THAT(r.out, HasSubstr(line));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n    speeds relative to the stack    0\\.00[0-4][0-9] m/s \\(QS-59\\) to "
                                                "0\\.59[0-4][0-9] m/s \\(QS-00\\)\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n  Spread at the end                 [0-9.]+ m from QS-00 to QS-59\n"));
    EXPECT_THAT(r.out, ::testing::ContainsRegex("\n  Largest nadir error               [0-9.e-]+ rad right after the pre-step, "
                                                "0\\.00011 rad at the end of a step\n"));

    // The stack removed itself; every satellite is free, activated, its array out and nadir pointing on.
    const std::string saved = work.ReadFile("reference_deployment_end.scn");
    EXPECT_THAT(saved, Not(HasSubstr("Stack:")));
    EXPECT_THAT(saved, Not(HasSubstr("ATTACHED")));
    EXPECT_THAT(saved, HasSubstr("\nLauncher:quorvane_launcher\n"));
    for (int i = 0; i < 60; ++i) {
        char block[64];
        std::snprintf(block, sizeof block, "QS-%02d:quorvane_%s\n", i, i % 2 == 0 ? "odd" : "even");
        const size_t at = saved.find(block);
        ASSERT_NE(at, std::string::npos) << block;
        const std::string lines = saved.substr(at, saved.find("END\n", at) - at);
        EXPECT_THAT(lines, HasSubstr("  SOLP 2 1.0000\n")) << block;
        EXPECT_THAT(lines, HasSubstr("  DPLY 1 2 2000.1000\n")) << block;
    }

    // Each satellite left a little faster than the next one: 0.01 m/s apart.
    std::vector<Sample> at100;
    for (const Sample &s : Samples(work.ReadFile("t.csv")))
        if (s.t == 100 && s.vessel != "Launcher") at100.push_back(s);
    ASSERT_EQ(at100.size(), 60u) << "the stack is gone from the trace";
    const VECTOR3 last = at100[59].v;
    for (int i = 0; i + 1 < 60; ++i) {
        const double gap = length(at100[i].v - last) - length(at100[i + 1].v - last);
        EXPECT_GT(gap, 0.005) << at100[i].vessel;
        EXPECT_LT(gap, 0.015) << at100[i].vessel;
    }

    const std::string hud = work.ReadFile("hud.svg");
    EXPECT_THAT(hud, HasSubstr("<text x=\"210\" y=\"105\" fill=\"#66ff66\">K = Nadir Pointing ON</text>"));
    EXPECT_THAT(hud, Not(HasSubstr("G = Deploy Array")));

    // One seed, one end, byte for byte; --save names the file.
    const testing_support::ProgramResult again = testing_support::RunQuorvaneSim({"--save", "again.scn"}, work.Root());
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_THAT(again.out, HasSubstr("\n  Final scenario                    again.scn\n"));
    EXPECT_EQ(work.ReadFile("again.scn"), saved);
}

}  // namespace
