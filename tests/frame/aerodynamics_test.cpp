// The airfoil coefficient functions: the segment search over the angle
// table, zero lift and moment, and the drag sum.
#include "frame/aerodynamics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "world/simulation.h"

namespace {

const double kDeg = 0.017453292519943295;

struct Coefficients {
    double cl = -1, cm = -1, cd = -1;
};

Coefficients Vertical(double aoa, double mach) {
    Coefficients c;
    VerticalLiftCoeff(nullptr, aoa, mach, 0.0, nullptr, &c.cl, &c.cm, &c.cd);
    return c;
}

Coefficients Horizontal(double aoa, double mach) {
    Coefficients c;
    HorizontalLiftCoeff(nullptr, aoa, mach, 0.0, nullptr, &c.cl, &c.cm, &c.cd);
    return c;
}

const frame::LiftAngleTable &FilledTable() {
    Vertical(0.0, 0.0);
    return frame::VerticalLiftTable();
}

struct SegmentCase {
    const char *name;
    double aoa;
    int segment;
};

class LiftSegmentSearch : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(LiftSegmentSearch, FindsTheSegmentThatEndsAtOrAboveTheAngle) {
    EXPECT_EQ(frame::LiftSegment(FilledTable(), GetParam().aoa), GetParam().segment);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LiftSegmentSearch,
    ::testing::Values(SegmentCase{"exactly_minus_180", -180 * kDeg, 0}, SegmentCase{"exactly_minus_60", -60 * kDeg, 0},
                      SegmentCase{"just_above_minus_60", -59.9 * kDeg, 1}, SegmentCase{"exactly_minus_2", -2 * kDeg, 2},
                      SegmentCase{"zero", 0.0, 3}, SegmentCase{"exactly_90", 90 * kDeg, 6},
                      SegmentCase{"exactly_plus_180", 180 * kDeg, 7}, SegmentCase{"below_minus_180", -200 * kDeg, 0},
                      SegmentCase{"far_below", -1e9, 0},
                      // Above the table the last segment serves: nothing reads past the tables.
                      SegmentCase{"above_plus_180", 181 * kDeg, 7}, SegmentCase{"infinity", HUGE_VAL, 7},
                      SegmentCase{"not_a_number", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LiftAngleTable, HoldsTheNineBreakpointsInRadians) {
    const int degrees[9] = {-180, -60, -30, -2, 10, 15, 50, 90, 180};
    const frame::LiftAngleTable &t = FilledTable();
    ASSERT_TRUE(t.filled);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(t.aoa[k], degrees[k] * kDeg) << k;
}

TEST(LiftCoefficients, LiftAndMomentAreZeroOverTheWholeRange) {
    for (double deg = -180; deg <= 180; deg += 0.5) {
        const Coefficients c = Vertical(deg * kDeg, 0.3);
        EXPECT_EQ(c.cl, 0.0) << deg;
        EXPECT_EQ(c.cm, 0.0) << deg;
    }
    // The mended range above +180 degrees extrapolates the last segment.
    EXPECT_EQ(Vertical(270 * kDeg, 0.3).cl, 0.0);
}

TEST(LiftCoefficients, DragIsBaseDragPlusInducedPlusWaveDrag) {
    host::Simulation sim;  // oapiGetWaveDrag and oapiGetInducedDrag come from the host
    sim.EnableJournal(true);
    for (double mach : {0.0, 0.5, 0.75, 0.9, 1.0, 1.05, 1.1, 2.0, 5.0}) {
        sim.Journal()->Clear();
        const Coefficients c = Vertical(5 * kDeg, mach);
        const double wave = oapiGetWaveDrag(mach, 0.75, 1.0, 1.1, 0.04);
        const double induced = oapiGetInducedDrag(0.0, 1.5, 0.7);
        EXPECT_EQ(c.cd, (induced + 0.95) + wave) << mach;
        // The wave drag is asked for before the induced drag.
        const auto &calls = sim.Journal()->Entries();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[0].call.rfind("oapiGetWaveDrag(", 0), 0u);
        EXPECT_EQ(calls[1].call, "oapiGetInducedDrag(0, 1.5, 0.69999999999999996)");
    }
    EXPECT_EQ(Vertical(0, 0.5).cd, 0.95);
    EXPECT_DOUBLE_EQ(Vertical(0, 1.0).cd, 0.99);
}

TEST(LiftCoefficients, DragDependsOnMachAloneAndBothFunctionsAgree) {
    for (double mach : {0.2, 0.95, 3.0}) {
        const Coefficients a = Vertical(-170 * kDeg, mach);
        const Coefficients b = Vertical(45 * kDeg, mach);
        const Coefficients h = Horizontal(45 * kDeg, mach);
        EXPECT_EQ(a.cd, b.cd);
        EXPECT_EQ(h.cl, b.cl);
        EXPECT_EQ(h.cm, b.cm);
        EXPECT_EQ(h.cd, b.cd);
    }
}

TEST(LiftAngleTable, EachFunctionFillsOnlyItsOwnTable) {
    const bool horizontalBefore = frame::HorizontalLiftTable().filled;
    Vertical(0.1, 0.1);
    EXPECT_TRUE(frame::VerticalLiftTable().filled);
    EXPECT_EQ(frame::HorizontalLiftTable().filled, horizontalBefore);
    Horizontal(0.1, 0.1);
    EXPECT_TRUE(frame::HorizontalLiftTable().filled);
}

}  // namespace
