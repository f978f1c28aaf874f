// The satellite's HUD block through the real module, drawn on a recording
// surface: its layout for several display sizes, its texts and colours.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "api/recording_sketchpad.h"
#include "satellite_fixture.h"
#include "world/simulation.h"

using satellite_testing::SatelliteTest;
using ::testing::Each;
using ::testing::ElementsAre;

namespace {

const DWORD kGreen = 0x66FF66;

class Hud : public SatelliteTest {
protected:
    // Draws the satellite's HUD on a display of the surface's size, in HUD mode 1.
    static bool Draw(host::SimVessel &v, host::RecordingSketchpad &skp) {
        HUDPAINTSPEC hps = {skp.Width(), skp.Height(), skp.Width() / 2, skp.Height() / 2, 1.0, 10};
        return v.DrawHud(1, hps, skp);
    }

    // The texts drawn on a display of W x H pixels.
    static std::vector<std::string> Texts(host::SimVessel &v, int width, int height) {
        host::RecordingSketchpad skp(width, height);
        Draw(v, skp);
        std::vector<std::string> texts;
        for (const auto &t : skp.Texts()) texts.push_back(t.text);
        return texts;
    }
};

struct LayoutCase {
    int width, height;
    int x;
    int y[4];
};

class HudLayout : public Hud, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(HudLayout, LinesStartWhereTheDisplaySizePutsThem) {
    const LayoutCase &c = GetParam();
    host::SimVessel &v = Satellite();
    host::RecordingSketchpad skp(c.width, c.height);
    Draw(v, skp);
    ASSERT_EQ(skp.Texts().size(), 4u);
    for (int line = 0; line < 4; ++line) {
        EXPECT_EQ(skp.Texts()[line].x, c.x) << "line " << line + 1;
        EXPECT_EQ(skp.Texts()[line].y, c.y[line]) << "line " << line + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HudLayout,
                         ::testing::Values(LayoutCase{1024, 768, 10, {167, 183, 199, 215}},
                                           LayoutCase{1280, 720, 210, {75, 90, 105, 120}},
                                           LayoutCase{1920, 1080, 310, {113, 135, 158, 180}},
                                           LayoutCase{1000, 728, 160, {76, 91, 106, 121}},
                                           LayoutCase{1000, 729, 10, {159, 174, 189, 205}}),
                         [](const auto &info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST_F(Hud, StowedArrayShowsFourGreenLinesWithTheirLengths) {
    host::SimVessel &v = Satellite();
    host::RecordingSketchpad skp(1024, 768);
    Draw(v, skp);
    EXPECT_THAT(Texts(v, 1024, 768), ElementsAre("Available dV 2189.74 m/s", "NumPad = Reaction Wheels/Torquers",
                                        "K = Nadir Pointing", "G = Deploy Array"));
    for (const auto &t : skp.Texts()) {
        EXPECT_EQ(t.length, static_cast<int>(t.text.size())) << t.text;
        EXPECT_EQ(t.color, kGreen) << t.text;
    }
    EXPECT_THAT(skp.ColorChanges(), ElementsAre(kGreen, kGreen, kGreen, kGreen));
}

TEST_F(Hud, EmptyTankLeavesNoVelocityChange) {
    host::SimVessel &v = Satellite();
    v.propellants.at(0)->mass = 0.0;
    EXPECT_EQ(Texts(v, 1024, 768).at(0), "Available dV 0.00 m/s");
}

struct ArrayCase {
    const char *solp;
    size_t lines;
};

class HudArray : public Hud, public ::testing::WithParamInterface<ArrayCase> {};

TEST_P(HudArray, DeployKeyShowsOnlyWhileTheArrayIsStowed) {
    host::SimVessel &v = Satellite({std::string("SOLP ") + GetParam().solp});
    host::RecordingSketchpad skp(1280, 720);
    Draw(v, skp);
    EXPECT_EQ(skp.Texts().size(), GetParam().lines);
    EXPECT_EQ(skp.ColorChanges().size(), GetParam().lines);
    EXPECT_THAT(skp.ColorChanges(), Each(kGreen));
}

INSTANTIATE_TEST_SUITE_P(Table, HudArray,
                         ::testing::Values(ArrayCase{"0 0", 4}, ArrayCase{"1 0.5", 3}, ArrayCase{"2 1", 3},
                                           ArrayCase{"-1 0", 3}, ArrayCase{"7 0", 3}),
                         [](const auto &info) { return "state_" + std::to_string(info.index); });

struct HoldCase {
    const char *dply;
    const char *line3;
};

class HudHold : public Hud, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(HudHold, ThirdLineShowsTheNadirHold) {
    host::SimVessel &v = Satellite({std::string("DPLY ") + GetParam().dply});
    EXPECT_EQ(Texts(v, 1024, 768).at(2), GetParam().line3);
}

INSTANTIATE_TEST_SUITE_P(Table, HudHold,
                         ::testing::Values(HoldCase{"0 2 2500", "K = Nadir Pointing"},
                                           HoldCase{"1 2 2500", "K = Nadir Pointing ON"},
                                           HoldCase{"2 2 2500", "K = Nadir Pointing ON"},
                                           HoldCase{"-1 2 2500", "K = Nadir Pointing ON"}),
                         [](const auto &info) { return "hold_" + std::to_string(info.index); });

TEST_F(Hud, AServedModeTurnsTheNadirLineBack) {
    host::SimVessel &v = Satellite({"DPLY 1 2 2500"});
    EXPECT_EQ(Texts(v, 1024, 768).at(2), "K = Nadir Pointing ON");
    v.ActivateNavmode(NAVMODE_NORMAL);
    sim->Step(0.1);
    EXPECT_EQ(Texts(v, 1024, 768).at(2), "K = Nadir Pointing");
}

TEST_F(Hud, CallsTheHostsHudFirstAndReportsTrueWhateverItReturned) {
    host::SimVessel &v = Satellite();
    for (bool base : {true, false}) {
        sim->baseHudResult = base;
        const size_t from = JournalSize();
        host::RecordingSketchpad skp(1920, 1080);
        EXPECT_TRUE(Draw(v, skp)) << "base returned " << base;
        EXPECT_THAT(CallsOf("Q1", from),
                    ElementsAre("VESSEL3::clbkDrawHUD(1, 1920, 1080)", "GetEmptyMass()", "GetPropellantMass(propellant0)"));
    }
}

TEST_F(Hud, DegenerateDisplaysDrawWithinTheirBuffers) {
    host::SimVessel &v = Satellite();
    v.emptyMass = 0.0;  // no mass to divide by
    for (const auto &size : {std::make_pair(0, 0), std::make_pair(-640, 480), std::make_pair(2147483647, 2147483647),
                             std::make_pair(-2147483647 - 1, 1)}) {
        host::RecordingSketchpad skp(size.first, size.second);
        Draw(v, skp);
        ASSERT_EQ(skp.Texts().size(), 4u);
        EXPECT_EQ(skp.Texts()[0].text, "Available dV inf m/s");
    }
}

}  // namespace
