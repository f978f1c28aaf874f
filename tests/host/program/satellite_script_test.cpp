// The bundled checkout scenario flies a satellite through its keys, a
// navigation mode and a burn; the saved scenario, the trace and the HUD
// pictures show what each did.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "program_runner.h"
#include "support/install_tree.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The rows of one vessel in a trace: time and angular velocity [deg/s].
struct Spin {
    double t;
    double w[3];
};

std::vector<Spin> SpinOf(const std::string &csv, const std::string &vessel) {
    std::vector<Spin> rows;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) f.push_back(field);
        if (f.size() != 15 || f[1] != vessel) continue;
        rows.push_back({std::atof(f[0].c_str()), {std::atof(f[12].c_str()), std::atof(f[13].c_str()), std::atof(f[14].c_str())}});
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
    const std::vector<Spin> spin = SpinOf(work.ReadFile("t.csv"), "Quorvane-1");
    ASSERT_EQ(spin.size(), 701u);
    for (const Spin &s : spin) {
        for (double w : s.w) EXPECT_LE(std::fabs(w), 10.0) << "at " << s.t << " s";
        if (s.t >= 26 && s.t <= 40) {
            EXPECT_EQ(s.w[0], -10.0) << "at " << s.t << " s";
        }
        if (s.t >= 46 && s.t <= 60) {
            EXPECT_EQ(s.w[0], 0.0) << "at " << s.t << " s";
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

}  // namespace
