// Keyboard control through the real module: the keypad turns the satellite
// within +-10 degrees per second; G deploys the array; K toggles the nadir
// hold; Shift swallows and Control passes on every key press.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "satellite_fixture.h"
#include "world/simulation.h"

using satellite_testing::kDegree;
using satellite_testing::SatelliteTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const double kUpper = 10.0 * kDegree;   // [rad/s]
const double kLower = kDegree * -10.0;  // [rad/s]

class Keys : public SatelliteTest {
protected:
    // A satellite whose last step lasted dt, turning at w [rad/s].
    host::SimVessel &TurningSatellite(double dt, const VECTOR3 &w) {
        host::SimVessel &v = Satellite({"DPLY 0 2 0"});
        sim->Step(dt);
        v.SetAngularVel(w);
        return v;
    }
};

// ---- the keypad ----

// One axis's value after the call, from its value before and one increment
// (2 deg/s per second of step length).
struct AxisResult {
    enum Kind { Same, About, Moved, AtUpper, AtLower, UpperLessOne } kind;
    double increments;  // for Moved
};
const AxisResult kSame = {AxisResult::Same, 0};
const AxisResult kAbout = {AxisResult::About, 0};  // the same apart from rounding
const AxisResult kUp = {AxisResult::Moved, 1};
const AxisResult kDown = {AxisResult::Moved, -1};
const AxisResult kUpperLimit = {AxisResult::AtUpper, 0};
const AxisResult kLowerLimit = {AxisResult::AtLower, 0};
const AxisResult kUpperLessOne = {AxisResult::UpperLessOne, 0};

struct KeypadCase {
    const char *name;
    std::vector<int> down;  // keys held
    VECTOR3 before;         // [rad/s]
    AxisResult after[3];
};

class Keypad : public Keys, public ::testing::WithParamInterface<KeypadCase> {};

TEST_P(Keypad, TurnsEachAxisByItsOwnKeysWithinTheLimits) {
    const KeypadCase &c = GetParam();
    const double dt = 0.02, increment = dt * (kDegree + kDegree);
    host::SimVessel &v = TurningSatellite(dt, c.before);
    char state[256] = {};
    for (int k : c.down) state[k] = static_cast<char>(0x80);
    EXPECT_EQ(v.ConsumeDirectKey(state), 0) << "never consumed";
    for (int i = 0; i < 3; ++i) {
        const double before = c.before.data[i], got = v.AngularVel().data[i];
        switch (c.after[i].kind) {
            case AxisResult::Same:
                EXPECT_EQ(got, before) << "axis " << i;
                break;
            case AxisResult::About:
                EXPECT_NEAR(got, before, 1e-15) << "axis " << i;
                break;
            case AxisResult::Moved:
                EXPECT_NEAR(got, before + c.after[i].increments * increment, 1e-15) << "axis " << i;
                break;
            case AxisResult::AtUpper:
                EXPECT_EQ(got, kUpper) << "axis " << i;
                break;
            case AxisResult::AtLower:
                EXPECT_EQ(got, kLower) << "axis " << i;
                break;
            case AxisResult::UpperLessOne:
                EXPECT_NEAR(got, kUpper - increment, 1e-15) << "axis " << i;
                break;
        }
    }
    EXPECT_THAT(CallsNamed("Q1", "SetAngularVel"), ::testing::SizeIs(1)) << "written back once, keys or not";
}

const VECTOR3 kTurning = {{1 * kDegree, -2 * kDegree, 3 * kDegree}};
const VECTOR3 kAllAtUpper = {{10.0 * kDegree, 10.0 * kDegree, 10.0 * kDegree}};
const VECTOR3 kAllAtLower = {{kDegree * -10.0, kDegree * -10.0, kDegree * -10.0}};
const VECTOR3 kBeyond = {{12 * kDegree, -12 * kDegree, 0}};
const VECTOR3 kNearUpper = {{9.99 * kDegree, 0, -9.99 * kDegree}};

INSTANTIATE_TEST_SUITE_P(
    Table, Keypad,
    ::testing::Values(
        KeypadCase{"no_key_writes_back_unchanged", {}, kTurning, {kSame, kSame, kSame}},
        KeypadCase{"keypad_2_raises_x", {OAPI_KEY_NUMPAD2}, kTurning, {kUp, kSame, kSame}},
        KeypadCase{"keypad_8_lowers_x", {OAPI_KEY_NUMPAD8}, kTurning, {kDown, kSame, kSame}},
        KeypadCase{"keypad_1_raises_y", {OAPI_KEY_NUMPAD1}, kTurning, {kSame, kUp, kSame}},
        KeypadCase{"keypad_3_lowers_y", {OAPI_KEY_NUMPAD3}, kTurning, {kSame, kDown, kSame}},
        KeypadCase{"keypad_6_raises_z", {OAPI_KEY_NUMPAD6}, kTurning, {kSame, kSame, kUp}},
        KeypadCase{"keypad_4_lowers_z", {OAPI_KEY_NUMPAD4}, kTurning, {kSame, kSame, kDown}},
        KeypadCase{"axes_act_independently",
                   {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD3, OAPI_KEY_NUMPAD6},
                   kTurning,
                   {kUp, kDown, kUp}},
        KeypadCase{"both_keys_of_an_axis_cancel", {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD8}, kTurning, {kAbout, kSame, kSame}},
        KeypadCase{"raise_stops_at_the_upper_limit",
                   {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD6},
                   kNearUpper,
                   {kUpperLimit, kSame, kUp}},
        KeypadCase{"lower_stops_at_the_lower_limit",
                   {OAPI_KEY_NUMPAD8, OAPI_KEY_NUMPAD4},
                   kNearUpper,
                   {kDown, kSame, kLowerLimit}},
        KeypadCase{"at_the_upper_limit_raising_does_nothing",
                   {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD1, OAPI_KEY_NUMPAD3},
                   kAllAtUpper,
                   {kUpperLimit, kDown, kSame}},
        KeypadCase{"at_the_lower_limit_lowering_does_nothing",
                   {OAPI_KEY_NUMPAD8, OAPI_KEY_NUMPAD6},
                   kAllAtLower,
                   {kLowerLimit, kSame, kUp}},
        KeypadCase{"both_keys_clamped_at_the_upper_limit_end_one_increment_below",
                   {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD8},
                   kNearUpper,
                   {kUpperLessOne, kSame, kSame}},
        KeypadCase{"beyond_a_limit_not_pushed_further_out",
                   {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD3},
                   kBeyond,
                   {kSame, kSame, kSame}},
        KeypadCase{"beyond_a_limit_brought_back_one_increment_unclamped",
                   {OAPI_KEY_NUMPAD8, OAPI_KEY_NUMPAD1},
                   kBeyond,
                   {kDown, kUp, kSame}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Keys, HeldKeypadRaisesFromRestInSmallIncrementsAndStopsAtExactlyTenDegreesPerSecond) {
    host::SimVessel &v = TurningSatellite(0.02, _V(0, 0, 0));
    char state[256] = {};
    state[OAPI_KEY_NUMPAD2] = static_cast<char>(0x80);
    v.ConsumeDirectKey(state);
    EXPECT_NEAR(v.AngularVel().x, 0.04 * kDegree, 1e-18);
    int calls = 1;
    while (v.AngularVel().x < kUpper && calls < 1000) {
        v.ConsumeDirectKey(state);
        ++calls;
    }
    EXPECT_EQ(v.AngularVel().x, kUpper);
    EXPECT_GE(calls, 250) << "0.04 deg/s a call";
    EXPECT_LE(calls, 251);
    v.ConsumeDirectKey(state);
    EXPECT_EQ(v.AngularVel().x, kUpper);
    EXPECT_EQ(v.AngularVel().y, 0.0);
    EXPECT_EQ(v.AngularVel().z, 0.0);
}

// ---- G and K ----

struct ButtonCase {
    const char *name;
    DWORD key;
    bool down;
    std::vector<int> held;           // other keys down at the event
    const char *solp, *dply;         // scenario values before the event
    int result;                      // 1 consumed, 0 passed on
    const char *solpAfter, *dplyAfter;
    bool switchesModesOff;
};

class Buttons : public Keys, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(Buttons, ConsumeOrPassOnAndChangeOnlyWhatTheKeySays) {
    const ButtonCase &c = GetParam();
    host::SimVessel &v = Satellite({std::string("SOLP ") + c.solp, std::string("DPLY ") + c.dply});
    v.ActivateNavmode(NAVMODE_RETROGRADE);
    char state[256] = {};
    for (int k : c.held) state[k] = static_cast<char>(0x80);
    const size_t from = JournalSize();
    EXPECT_EQ(v.ConsumeBufferedKey(c.key, c.down, state), c.result);
    const std::vector<std::string> calls = CallsOf("Q1", from);
    EXPECT_EQ(Saved(v, "SOLP"), c.solpAfter);
    EXPECT_EQ(Saved(v, "DPLY"), c.dplyAfter);
    if (c.switchesModesOff) {
        EXPECT_THAT(calls, ElementsAre("DeactivateNavmode(1)", "DeactivateNavmode(3)", "DeactivateNavmode(4)",
                                       "DeactivateNavmode(5)", "DeactivateNavmode(6)"));
        EXPECT_FALSE(v.NavmodeActive(NAVMODE_RETROGRADE));
    } else {
        EXPECT_THAT(calls, IsEmpty());
        EXPECT_TRUE(v.NavmodeActive(NAVMODE_RETROGRADE));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Buttons,
    ::testing::Values(
        ButtonCase{"g_deploys_a_stowed_array", OAPI_KEY_G, true, {}, "0 0", "0 1 5", 1, "1 0.0000", "0 1 5.0000", false},
        ButtonCase{"g_while_deploying_is_still_consumed", OAPI_KEY_G, true, {}, "1 0.3", "0 1 5", 1, "1 0.3000",
                   "0 1 5.0000", false},
        ButtonCase{"g_when_deployed_is_still_consumed", OAPI_KEY_G, true, {}, "2 1", "0 1 5", 1, "2 1.0000",
                   "0 1 5.0000", false},
        ButtonCase{"k_switches_the_hold_on_and_the_modes_off", OAPI_KEY_K, true, {}, "0 0", "0 1 5", 1, "0 0.0000",
                   "1 1 5.0000", true},
        ButtonCase{"k_switches_the_hold_off", OAPI_KEY_K, true, {}, "0 0", "1 1 5", 1, "0 0.0000", "0 1 5.0000", false},
        ButtonCase{"k_switches_any_other_hold_value_off", OAPI_KEY_K, true, {}, "0 0", "2 1 5", 1, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"release_of_g_is_not_consumed", OAPI_KEY_G, false, {}, "0 0", "0 1 5", 0, "0 0.0000", "0 1 5.0000",
                   false},
        ButtonCase{"release_of_k_is_not_consumed", OAPI_KEY_K, false, {}, "0 0", "0 1 5", 0, "0 0.0000", "0 1 5.0000",
                   false},
        ButtonCase{"release_with_shift_is_not_consumed", OAPI_KEY_K, false, {OAPI_KEY_LSHIFT}, "0 0", "0 1 5", 0,
                   "0 0.0000", "0 1 5.0000", false},
        ButtonCase{"left_shift_swallows_g", OAPI_KEY_G, true, {OAPI_KEY_LSHIFT}, "0 0", "0 1 5", 1, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"right_shift_swallows_k", OAPI_KEY_K, true, {OAPI_KEY_RSHIFT}, "0 0", "0 1 5", 1, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"right_shift_swallows_any_key", OAPI_KEY_X, true, {OAPI_KEY_RSHIFT}, "0 0", "0 1 5", 1, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"left_control_passes_g_on", OAPI_KEY_G, true, {OAPI_KEY_LCONTROL}, "0 0", "0 1 5", 0, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"right_control_passes_k_on", OAPI_KEY_K, true, {OAPI_KEY_RCONTROL}, "0 0", "0 1 5", 0, "0 0.0000",
                   "0 1 5.0000", false},
        ButtonCase{"shift_comes_before_control", OAPI_KEY_G, true, {OAPI_KEY_LCONTROL, OAPI_KEY_RSHIFT}, "0 0",
                   "0 1 5", 1, "0 0.0000", "0 1 5.0000", false},
        ButtonCase{"other_keys_are_passed_on", OAPI_KEY_X, true, {}, "0 0", "0 1 5", 0, "0 0.0000", "0 1 5.0000",
                   false},
        ButtonCase{"keypad_is_not_a_button", OAPI_KEY_NUMPAD2, true, {}, "0 0", "0 1 5", 0, "0 0.0000", "0 1 5.0000",
                   false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Keys, KTwiceSwitchesTheHoldOnThenOffAndLeavesLaterModesAlone) {
    host::SimVessel &v = Satellite({"DPLY 0 2 2500"});
    v.ActivateNavmode(NAVMODE_KILLROT);
    v.ActivateNavmode(NAVMODE_HLEVEL);
    EXPECT_EQ(BufferedKey(v, OAPI_KEY_K, true), 1);
    EXPECT_EQ(Saved(v, "DPLY"), "1 2 2500.0000");
    EXPECT_FALSE(v.NavmodeActive(NAVMODE_KILLROT));
    EXPECT_TRUE(v.NavmodeActive(NAVMODE_HLEVEL)) << "only modes 1, 3, 4, 5, 6 are switched off";
    v.ActivateNavmode(NAVMODE_NORMAL);
    const size_t from = JournalSize();
    EXPECT_EQ(BufferedKey(v, OAPI_KEY_K, true), 1);
    EXPECT_THAT(CallsOf("Q1", from), IsEmpty());
    EXPECT_EQ(Saved(v, "DPLY"), "0 2 2500.0000");
    EXPECT_TRUE(v.NavmodeActive(NAVMODE_NORMAL));
}

TEST_F(Keys, ArrayDeployedByGUnfoldsInTheFollowingSteps) {
    host::SimVessel &v = Satellite({"DPLY 0 2 0"});
    EXPECT_EQ(BufferedKey(v, OAPI_KEY_G, true), 1);
    sim->Step(10.0);
    EXPECT_EQ(Saved(v, "SOLP"), "1 0.5000");
}

}  // namespace
