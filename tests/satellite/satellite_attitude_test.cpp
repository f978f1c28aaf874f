// Attitude holds, driven through the step logic of the real module: kill
// rotation under navigation mode 1, the four orbit attitudes under modes 3 to
// 6 and nadir pointing under the nadir hold.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "satellite_fixture.h"
#include "world/call_journal.h"
#include "world/simulation.h"

using satellite_testing::kDegree;
using satellite_testing::Rows;
using satellite_testing::RowsFromAngles;
using satellite_testing::SatelliteTest;
using satellite_testing::VectorsIn;

namespace {

const int kNadir = 0;  // stands for the nadir hold where a table names a navigation mode

void ExpectNear(const VECTOR3 &got, const VECTOR3 &want, double tolerance, const std::string &what) {
    EXPECT_NEAR(got.x, want.x, tolerance) << what;
    EXPECT_NEAR(got.y, want.y, tolerance) << what;
    EXPECT_NEAR(got.z, want.z, tolerance) << what;
}

// What one DefSetState wrote: position, velocity, angular velocity, angles.
struct WrittenState {
    VECTOR3 rpos, rvel, vrot, arot;
};

class AttitudeHold : public SatelliteTest {
protected:
    // A satellite with the nadir hold on and nothing left to count, so that
    // its step calls nothing but the hold it serves.
    host::SimVessel &HeldSatellite() { return Satellite({"DPLY 1 2 2500", "SOLP 2 1"}); }

    // Puts the vessel in the state given and runs one step under the hold.
    void StepUnder(host::SimVessel &v, int mode, const VECTOR3 &p, const VECTOR3 &vel, double dt = 0.1) {
        v.SetRelPos(p);
        v.SetRelVel(vel);
        if (mode != kNadir) v.ActivateNavmode(mode);
        from = JournalSize();
        sim->Step(dt);
    }

    std::vector<std::string> Writes(const host::SimVessel &v) const { return CallsNamed(v.Name(), "DefSetState", from); }

    WrittenState OnlyWrite(const host::SimVessel &v) const {
        const std::vector<std::string> writes = Writes(v);
        EXPECT_EQ(writes.size(), 1u);
        const std::vector<VECTOR3> vectors = writes.empty() ? std::vector<VECTOR3>() : VectorsIn(writes[0]);
        if (vectors.size() != 4) {
            ADD_FAILURE() << "no state written";
            return WrittenState{};
        }
        return WrittenState{vectors[0], vectors[1], vectors[2], vectors[3]};
    }

    size_t from = 0;
};

// ---- kill rotation ----

struct KillRotationCase {
    const char *name;
    double dt;               // step length [s]
    VECTOR3 before;          // angular velocity [deg/s]
    VECTOR3 after;           // [deg/s]
};

class KillRotation : public AttitudeHold, public ::testing::WithParamInterface<KillRotationCase> {};

TEST_P(KillRotation, BrakesEachComponentAtTwoDegreesPerSecondSquared) {
    const KillRotationCase &c = GetParam();
    host::SimVessel &v = HeldSatellite();
    v.SetAngularVel(c.before * kDegree);
    StepUnder(v, NAVMODE_KILLROT, v.RelPos(), v.RelVel(), c.dt);
    const std::vector<std::string> sets = CallsNamed("Q1", "SetAngularVel", from);
    ASSERT_EQ(sets.size(), 1u);
    const VECTOR3 w = VectorsIn(sets[0]).at(0);
    for (int i = 0; i < 3; ++i) {
        if (c.after.data[i] == 0.0) {
            EXPECT_EQ(w.data[i], 0.0) << "component " << i << " stops exactly";
        } else {
            EXPECT_NEAR(w.data[i], c.after.data[i] * kDegree, 1e-15) << "component " << i;
        }
    }
    EXPECT_TRUE(Writes(v).empty()) << "braking writes no state";
    EXPECT_EQ(sim->Journal()->Matching("oapiGetSimStep").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KillRotation,
    ::testing::Values(KillRotationCase{"small_stops_large_slows", 0.1, {{0.1, -0.5, 3.0}}, {{0, -0.3, 2.8}}},
                      KillRotationCase{"long_step_stops_everything", 10.0, {{19.9, -20.0, 5.0}}, {{0, 0, 0}}},
                      KillRotationCase{"zero_step_changes_nothing", 0.0, {{0.7, -0.5, 0}}, {{0.7, -0.5, 0}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AttitudeHold, BrakingAComponentOfExactlyOneStepStopsIt) {
    // The comparison is not strict: a component equal to the braking step stops.
    host::SimVessel &v = HeldSatellite();
    const double a = 0.1 * (kDegree + kDegree);
    v.SetAngularVel(_V(a, -a, 0));
    StepUnder(v, NAVMODE_KILLROT, v.RelPos(), v.RelVel(), 0.1);
    EXPECT_EQ(CallsNamed("Q1", "SetAngularVel", from), std::vector<std::string>{"SetAngularVel((0, 0, 0))"});
}

// ---- the worked examples ----

struct AlignCase {
    const char *name;
    int mode;          // navigation mode, or kNadir
    VECTOR3 p, v;      // position and velocity relative to the body
    VECTOR3 g;         // global position
    Rows rows;         // the body axes
    bool exactAngles;  // whether the angles below are the ones written
    VECTOR3 angles;    // alpha, beta, gamma [rad]
};

class AlignExample : public AttitudeHold, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(AlignExample, PutsTheBodyAxesWhereTheOrbitNamesThem) {
    const AlignCase &c = GetParam();
    sim->Body().globalPos = c.g - c.p;
    host::SimVessel &v = HeldSatellite();
    v.SetAngularVel(_V(0.01, -0.02, 0.03));
    StepUnder(v, c.mode, c.p, c.v);
    const WrittenState written = OnlyWrite(v);
    const Rows m = RowsFromAngles(written.arot);
    ExpectNear(m.x, c.rows.x, 1e-15, "body x");
    ExpectNear(m.y, c.rows.y, 1e-15, "body y");
    ExpectNear(m.z, c.rows.z, 1e-15, "body z");
    if (c.exactAngles) {
        EXPECT_EQ(written.arot.x, c.angles.x);
        EXPECT_EQ(written.arot.y, c.angles.y);
        EXPECT_EQ(written.arot.z, c.angles.z);
    }
    EXPECT_EQ(CallsOf("Q1", from).back().rfind("SetAnimation(", 0), 0u) << "one hold, then the animation";
}

const double kHalfPi = 1.5707963267948966;
const VECTOR3 kP = {{7.0e6, 0, 0}};
const VECTOR3 kV = {{0, 0, 7500}};
const VECTOR3 kG = {{1.496e11 + 7.0e6, 0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Table, AlignExample,
    ::testing::Values(
        AlignCase{"prograde", NAVMODE_PROGRADE, kP, kV, kG, {{{1, 0, 0}}, {{0, 1, 0}}, {{0, 0, 1}}}, true, {{0, 0, 0}}},
        AlignCase{"retrograde", NAVMODE_RETROGRADE, kP, kV, kG, {{{-1, 0, 0}}, {{0, 1, 0}}, {{0, 0, -1}}}, false, {}},
        AlignCase{"normal", NAVMODE_NORMAL, kP, kV, kG, {{{1, 0, 0}}, {{0, 0, -1}}, {{0, 1, 0}}}, true,
                  {{kHalfPi, 0, 0}}},
        AlignCase{"antinormal", NAVMODE_ANTINORMAL, kP, kV, kG, {{{1, 0, 0}}, {{0, 0, 1}}, {{0, -1, 0}}}, false, {}},
        AlignCase{"nadir", kNadir, {{0, 7.0e6, 0}}, kV, {{1.5e11, 0, 0}},
                  {{{-1, 0, 0}}, {{0, 1, 0}}, {{0, 0, -1}}}, false, {}},
        // Z along the record's x axis: both other arctangents see two zeros.
        AlignCase{"prograde_along_x", NAVMODE_PROGRADE, {{0, 7.0e6, 0}}, {{7500, 0, 0}}, {{1.496e11, 7.0e6, 0}},
                  {{{0, -1, 0}}, {{0, 0, -1}}, {{1, 0, 0}}}, true, {{0, -kHalfPi, kHalfPi}}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- every state ----

// The body axes each hold promises, computed here from the geometry alone.
Rows ExpectedAxes(int mode, const VECTOR3 &p, const VECTOR3 &v, const VECTOR3 &g) {
    const VECTOR3 n = unit(crossp(v, p));  // orbit normal
    switch (mode) {
        case NAVMODE_PROGRADE:
            return {crossp(n, unit(v)), n, unit(v)};
        case NAVMODE_RETROGRADE:
            return {crossp(n, -unit(v)), n, -unit(v)};
        case NAVMODE_NORMAL:
            return {unit(crossp(n, unit(v))), -unit(v), n};
        case NAVMODE_ANTINORMAL:
            return {unit(crossp(n, unit(v))), unit(v), -n};
        default: {  // nadir: y up, z across the vertical and the way to the global origin
            const VECTOR3 up = unit(p);
            const VECTOR3 z = unit(crossp(unit(-g), up));
            return {crossp(up, z), up, z};
        }
    }
}

VECTOR3 RandomDirection(std::mt19937_64 &rng) {
    std::normal_distribution<double> n(0.0, 1.0);
    return unit(_V(n(rng), n(rng), n(rng)));
}

TEST_F(AttitudeHold, EveryHoldWritesAnOrthonormalRightHandedTriadOverManyRandomStates) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> radius(6.5e6, 4.2e7), speed(100.0, 11000.0), angle(-PI, PI),
        spin(-0.5, 0.5), away(-2.0e11, 2.0e11);
    const int kModes[5] = {NAVMODE_PROGRADE, NAVMODE_RETROGRADE, NAVMODE_NORMAL, NAVMODE_ANTINORMAL, kNadir};
    host::SimVessel &v = HeldSatellite();
    for (int trial = 0; trial < 400; ++trial) {
        const int mode = kModes[trial % 5];
        sim->Body().globalPos = _V(away(rng), away(rng), away(rng));
        const VECTOR3 p = RandomDirection(rng) * radius(rng);
        const VECTOR3 vel = RandomDirection(rng) * speed(rng);
        v.SetAttitudeAngles(_V(angle(rng), angle(rng) / 2, angle(rng)));
        v.SetAngularVel(_V(spin(rng), spin(rng), spin(rng)));
        // The orbit trial before cleared the hold; K sets it and switches the modes off.
        if (mode == kNadir) {
            ASSERT_EQ(BufferedKey(v, OAPI_KEY_K, true), 1);
        }
        const std::string label = "trial " + std::to_string(trial) + " mode " + std::to_string(mode);
        StepUnder(v, mode, p, vel);

        const WrittenState w = OnlyWrite(v);
        EXPECT_EQ(host::CallJournal::Format(w.rpos), host::CallJournal::Format(p)) << label << ": position as read";
        EXPECT_EQ(host::CallJournal::Format(w.rvel), host::CallJournal::Format(vel)) << label << ": velocity as read";
        EXPECT_EQ(host::CallJournal::Format(w.vrot), "(0, 0, 0)") << label << ": rotation stopped";

        const Rows m = RowsFromAngles(w.arot);
        EXPECT_NEAR(dotp(m.x, m.x), 1.0, 1e-12) << label;
        EXPECT_NEAR(dotp(m.y, m.y), 1.0, 1e-12) << label;
        EXPECT_NEAR(dotp(m.x, m.y), 0.0, 1e-12) << label;
        ExpectNear(crossp(m.x, m.y), m.z, 1e-12, label + ": X x Y = Z");
        const Rows want = ExpectedAxes(mode, p, vel, sim->Body().globalPos + p);
        ExpectNear(m.x, want.x, 1e-9, label + ": body x");
        ExpectNear(m.y, want.y, 1e-9, label + ": body y");
        ExpectNear(m.z, want.z, 1e-9, label + ": body z");
    }
}

// ---- degenerate geometry ----

struct DegenerateCase {
    const char *name;
    int mode;
    VECTOR3 p, v;
    VECTOR3 bodyGlobalPos;
};

class DegenerateGeometry : public AttitudeHold, public ::testing::WithParamInterface<DegenerateCase> {};

TEST_P(DegenerateGeometry, LeavesTheStateAsItWas) {
    const DegenerateCase &c = GetParam();
    sim->Body().globalPos = c.bodyGlobalPos;
    host::SimVessel &v = HeldSatellite();
    const VECTOR3 angles = _V(0.3, -0.4, 1.1), spin = _V(0.01, 0.02, -0.03);
    v.SetAttitudeAngles(angles);
    v.SetAngularVel(spin);
    StepUnder(v, c.mode, c.p, c.v, 0.0);  // no propagation: the state after is what the module left
    EXPECT_THAT(CallsOf("Q1", from), ::testing::Contains("GetStatus()")) << "the state was read";
    EXPECT_TRUE(Writes(v).empty()) << "and not written";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.Attitude().Angles().data[i], angles.data[i]);
        EXPECT_EQ(v.AngularVel().data[i], spin.data[i]);
        EXPECT_EQ(v.RelPos().data[i], c.p.data[i]);
        EXPECT_EQ(v.RelVel().data[i], c.v.data[i]);
    }
}

const VECTOR3 kEarth = {{1.496e11, 0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Table, DegenerateGeometry,
    ::testing::Values(
        DegenerateCase{"prograde_at_rest", NAVMODE_PROGRADE, {{0, 7e6, 0}}, {{0, 0, 0}}, kEarth},
        DegenerateCase{"retrograde_falling_straight_down", NAVMODE_RETROGRADE, {{7e6, 0, 0}}, {{-300, 0, 0}}, kEarth},
        DegenerateCase{"normal_climbing_straight_up", NAVMODE_NORMAL, {{3e6, 4e6, 0}}, {{600, 800, 0}}, kEarth},
        DegenerateCase{"antinormal_at_the_centre", NAVMODE_ANTINORMAL, {{0, 0, 0}}, {{0, 0, 7500}}, kEarth},
        DegenerateCase{"prograde_velocity_too_small_to_normalise", NAVMODE_PROGRADE, {{0, 7e6, 0}},
                       {{1e-200, 0, 0}}, kEarth},
        DegenerateCase{"normal_position_too_large_to_normalise", NAVMODE_NORMAL, {{1e300, 1e300, 0}},
                       {{0, 0, 7500}}, kEarth},
        DegenerateCase{"nadir_on_the_line_body_to_origin", kNadir, {{7e6, 0, 0}}, {{0, 0, 7500}}, kEarth},
        DegenerateCase{"nadir_with_the_body_at_the_origin", kNadir, {{0, 7e6, 0}}, {{7500, 0, 0}}, {{0, 0, 0}}},
        DegenerateCase{"nadir_at_the_centre", kNadir, {{0, 0, 0}}, {{7500, 0, 0}}, kEarth}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AttitudeHold, TheHoldTakesUpAgainOnceTheGeometryNamesAnAttitude) {
    host::SimVessel &v = HeldSatellite();
    StepUnder(v, NAVMODE_PROGRADE, _V(0, 7e6, 0), _V(0, 0, 0), 0.0);
    EXPECT_TRUE(Writes(v).empty());
    StepUnder(v, NAVMODE_PROGRADE, _V(0, 7e6, 0), _V(7500, 0, 0), 0.0);
    EXPECT_EQ(Writes(v).size(), 1u);
}

}  // namespace
