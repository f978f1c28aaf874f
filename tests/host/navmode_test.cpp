// Navigation modes: modes 1 to 6 exclude one another, except that kill
// rotation may stand beside horizon level; mode 7 stands apart.
#include <gtest/gtest.h>

#include "world/sim_vessel.h"
#include "world/simulation.h"

namespace {

unsigned Bits(std::initializer_list<int> modes) {
    unsigned b = 0;
    for (int m : modes) b |= 1u << m;
    return b;
}

struct NavCase {
    const char *name;
    std::vector<int> activate;  // in order
    unsigned expected;
};

class Navmodes : public ::testing::TestWithParam<NavCase> {};

TEST_P(Navmodes, ActivationSwitchesOffWhatItExcludes) {
    host::Simulation sim;
    host::SimVessel v(sim, "V", std::make_shared<host::VesselClass>());
    for (int m : GetParam().activate) v.ActivateNavmode(m);
    EXPECT_EQ(v.NavmodeMask(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Navmodes,
    ::testing::Values(NavCase{"prograde_then_retrograde", {3, 4}, Bits({4})},
                      NavCase{"killrot_then_normal", {1, 5}, Bits({5})},
                      NavCase{"normal_then_killrot", {5, 1}, Bits({1})},
                      NavCase{"killrot_beside_hlevel", {2, 1}, Bits({1, 2})},
                      NavCase{"hlevel_beside_killrot", {1, 2}, Bits({1, 2})},
                      NavCase{"antinormal_clears_both", {1, 2, 6}, Bits({6})},
                      NavCase{"holdalt_stands_apart", {7, 3}, Bits({3, 7})},
                      NavCase{"unknown_modes_ignored", {0, 8, -1}, 0u}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Navmode, ActivateAndDeactivateReportWhetherTheyChangedAnything) {
    host::Simulation sim;
    host::SimVessel v(sim, "V", std::make_shared<host::VesselClass>());
    EXPECT_TRUE(v.ActivateNavmode(3));
    EXPECT_FALSE(v.ActivateNavmode(3));
    EXPECT_TRUE(v.NavmodeActive(3));
    EXPECT_TRUE(v.DeactivateNavmode(3));
    EXPECT_FALSE(v.DeactivateNavmode(3));
    EXPECT_FALSE(v.NavmodeActive(3));
}

}  // namespace
