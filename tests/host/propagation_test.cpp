// Free flight: the integrator against the closed-form two-body orbit, thrust
// and propellant, and rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "world/rotation.h"
#include "world/sim_vessel.h"
#include "world/simulation.h"

namespace {

const double kMu = 3.986004418e14;  // [m^3/s^2]

std::shared_ptr<const host::VesselClass> Probe(const std::string &name, std::string *) {
    auto cls = std::make_shared<host::VesselClass>();
    cls->name = name;
    cls->generic.hasMass = true;
    cls->generic.mass = 1000;
    return cls;
}

class FreeFlight : public ::testing::Test {
protected:
    void SetUp() override { sim.SetClassResolver(Probe); }
    host::SimVessel &Make(const std::string &name) {
        std::string error;
        host::SimVessel *v = sim.CreateVessel(name, "probe", nullptr, &error);
        if (v == nullptr) throw std::runtime_error(error);
        return *v;
    }
    host::Simulation sim;
};

// The two-body orbit in closed form, by Kepler's equation.
struct Ellipse {
    double a, e;        // semi-major axis [m], eccentricity
    MATRIX3 plane;      // rows: periapsis direction, direction of motion there, orbit normal

    VECTOR3 PositionAt(double t) const {
        const double n = std::sqrt(kMu / (a * a * a));
        const double meanAnomaly = n * t;
        double E = meanAnomaly;
        for (int i = 0; i < 50; ++i) E -= (E - e * std::sin(E) - meanAnomaly) / (1 - e * std::cos(E));
        const double x = a * (std::cos(E) - e), y = a * std::sqrt(1 - e * e) * std::sin(E);
        return host::TMul(plane, _V(x, y, 0));
    }
    VECTOR3 PeriapsisVelocity() const {
        const double rp = a * (1 - e);
        return host::TMul(plane, _V(0, std::sqrt(kMu * (1 + e) / rp), 0));
    }
};

double Energy(const host::SimVessel &v) {
    return 0.5 * dotp(v.RelVel(), v.RelVel()) - kMu / length(v.RelPos());
}

TEST_F(FreeFlight, FollowsTheClosedFormOrbitWithinAMetreOver2000SecondsAtTheDefaultStep) {
    // A low, slightly eccentric orbit in an inclined plane.
    const Ellipse orbit{6778e3, 0.01, host::MatrixFromAngles(_V(0.9, -0.3, 2.0))};
    host::SimVessel &v = Make("Probe");
    v.SetRelPos(orbit.PositionAt(0));
    v.SetRelVel(orbit.PeriapsisVelocity());
    const double e0 = Energy(v);
    const double dt = 0.1;  // the program's default step [s]
    double worst = 0;
    for (int i = 1; i <= 20000; ++i) {
        sim.Step(dt);
        if (i % 1000 == 0) worst = std::max(worst, length(v.RelPos() - orbit.PositionAt(i * dt)));
    }
    const double error = length(v.RelPos() - orbit.PositionAt(2000.0));
    const double drift = (Energy(v) - e0) / std::fabs(e0);
    std::printf("position error after 2000 s: %.3e m (worst sampled %.3e m); relative energy drift %.3e\n", error,
                worst, drift);
    RecordProperty("position_error_m", std::to_string(error));
    RecordProperty("relative_energy_drift", std::to_string(drift));
    EXPECT_LT(error, 1.0);
    EXPECT_LT(worst, 1.0);
    EXPECT_LT(std::fabs(drift), 1e-9);
}

class Burning : public FreeFlight {
protected:
    void SetUp() override {
        FreeFlight::SetUp();
        for (host::SimVessel *v : {&Make("Coasting"), &Make("Burning")}) {
            v->SetRelPos(_V(7e6, 0, 0));
            v->SetRelVel(_V(0, 7546, 0));
            v->SetAttitudeAngles(_V(0.3, 0.2, -0.4));
            tank = v->CreatePropellant(100, 100, 1);
            host::Thruster *t = v->CreateThruster(_V(0, 0, -2), _V(0, 0, 1), kThrust, tank, kIsp, 0, 101.4e3);
            v->CreateThrusterGroup({t}, THGROUP_MAIN);
        }
        coasting = sim.FindVessel("Coasting");
        burning = sim.FindVessel("Burning");
    }
    static constexpr double kThrust = 2000;  // [N]
    static constexpr double kIsp = 3000;     // [m/s]
    host::Propellant *tank = nullptr;        // the burning vessel's
    host::SimVessel *coasting = nullptr, *burning = nullptr;
};

TEST_F(Burning, ThrustUsesPropellantAtThrustOverIspAndGivesTheRocketEquationsSpeed) {
    ASSERT_TRUE(burning->SetThrusterGroupLevel(THGROUP_MAIN, 0.5));
    EXPECT_EQ(burning->ThrusterGroupLevel(THGROUP_MAIN), 0.5);
    for (int i = 0; i < 100; ++i) sim.Step(0.1);  // 10 s
    const double used = 0.5 * kThrust / kIsp * 10.0;
    EXPECT_NEAR(tank->mass, 100 - used, 1e-9);
    // Against the coasting twin, the speed gained along the thrust axis.
    const double m0 = 1100, m1 = 1100 - used;
    const VECTOR3 gained = burning->RelVel() - coasting->RelVel();
    const VECTOR3 axis = host::TMul(burning->Attitude().Matrix(), _V(0, 0, 1));
    EXPECT_NEAR(dotp(gained, axis), kIsp * std::log(m0 / m1), 2e-3);
    EXPECT_NEAR(length(gained - axis * dotp(gained, axis)), 0.0, 2e-3);
}

TEST_F(Burning, AnEmptyTankGivesThrustForThePartOfTheStepItLastsThenNone) {
    tank->mass = 0.05;  // lasts 0.075 s at full thrust
    burning->SetThrusterGroupLevel(THGROUP_MAIN, 1.0);
    sim.Step(0.1);
    EXPECT_EQ(tank->mass, 0.0);
    const double gained = length(burning->RelVel() - coasting->RelVel());
    EXPECT_NEAR(gained, kThrust * 0.075 / 1000.05, 1e-3);
    sim.Step(0.1);
    EXPECT_NEAR(length(burning->RelVel() - coasting->RelVel()), gained, 1e-6) << "no thrust without propellant";
}

TEST_F(Burning, TheStateRecordsMainThrustReachesTheThrusters) {
    VESSELSTATUS status;
    burning->GetStatus(status);
    status.eng_main = 0.25;
    status.flag[0] = 2;  // set the main thrust level
    burning->DefSetState(status);
    EXPECT_EQ(burning->thrusters[0]->level, 0.25);
    burning->GetStatus(status);
    EXPECT_EQ(status.eng_main, 0.25);
    sim.Step(1.0);
    EXPECT_LT(tank->mass, 100.0) << "the engine burns at the level the record set";
}

TEST_F(FreeFlight, ASpinningVesselTurnsAtItsRateAboutItsAxisAndStaysOrthonormal) {
    host::SimVessel &v = Make("Spinner");
    v.pmi = _V(2, 2, 1);  // symmetric about z: a spin about z is steady
    v.SetRelPos(_V(7e6, 0, 0));
    v.SetRelVel(_V(0, 7546, 0));
    v.SetAttitudeAngles(_V(0.4, -0.2, 1.1));
    const MATRIX3 start = v.Attitude().Matrix();
    const double rate = 5 * RAD;  // [rad/s]
    v.SetAngularVel(_V(0, 0, rate));
    for (int i = 0; i < 100; ++i) sim.Step(0.1);
    const MATRIX3 &m = v.Attitude().Matrix();
    // The spin axis keeps its direction; the x axis has turned by rate * 10 s about it.
    const VECTOR3 z0 = host::Row(start, 2), x0 = host::Row(start, 0), y0 = host::Row(start, 1);
    const double turn = rate * 10.0;
    const VECTOR3 expectedX = x0 * std::cos(turn) + y0 * std::sin(turn);
    EXPECT_NEAR(length(host::Row(m, 2) - z0), 0.0, 1e-12);
    EXPECT_NEAR(length(host::Row(m, 0) - expectedX), 0.0, 1e-9);
    EXPECT_NEAR(v.AngularVel().z, rate, 1e-15);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(dotp(host::Row(m, i), host::Row(m, j)), i == j ? 1.0 : 0.0, 1e-12);
}

}  // namespace
