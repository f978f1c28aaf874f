// The satellite's class set-up, through the real odd and even modules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/host_fixture.h"

using testing_support::BuildRoot;
using testing_support::HostTest;
using testing_support::IsLoaded;
using ::testing::ElementsAreArray;

namespace {

// The set-up of the odd satellite, call by call.
const std::vector<std::string> kOddSetUp = {
    "CreateAnimation(0)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (-0.82999999999999996, 0.10199999999999999, 0) axis (0, 0, 1) angle "
    "1.5707963705062866 mesh 0 groups [0], null)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (0.57099999999999995, 0.106, 0) axis (0, 0, 1) angle "
    "-3.1415927410125732 mesh 0 groups [1], component0.0)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (-0.57099999999999995, 0.11, 0) axis (0, 0, 1) angle "
    "3.1415927410125732 mesh 0 groups [2], component0.1)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (0.57099999999999995, 0.115, 0) axis (0, 0, 1) angle "
    "-3.1415927410125732 mesh 0 groups [3], component0.2)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (-0.57099999999999995, 0.11899999999999999, 0) axis (0, 0, 1) angle "
    "3.1415927410125732 mesh 0 groups [4], component0.3)",
    "AddAnimationComponent(0, 0, 1, ROTATE ref (0.57099999999999995, 0.123, 0) axis (0, 0, 1) angle "
    "-3.1415927410125732 mesh 0 groups [5], component0.4)",
    "SetCW(1, 1, 1, 1)",
    "SetRotDrag((1, 1, 1))",
    "SetPMI((2, 2, 1))",
    "SetCrossSections((1, 1, 1))",
    "SetSize(2)",
    "SetEmptyMass(227)",
    "AddMesh(\"quorvane/quorvane_odd\", null)",
    "SetMeshVisibilityMode(0, 3)",
    "SetCameraOffset((0, 1.5, -1.8))",
    "SetTouchdownPoints([(0, 0, 0)/60000/2000/3/0.20000000000000001 (0, 0, 0)/60000/2000/3/0.20000000000000001 "
    "(0, 0, 0)/60000/2000/3/0.20000000000000001], 3)",
    "CreatePropellantResource(50, 50, 1)",
    "CreateThruster((0, 0, -1.8999999999999999), (0, 0, 1), 0.01, propellant0, 11000, 0, 101400)",
    "AddExhaust(thruster0, 2, 0.040000000000000001, (-0.61199999999999999, 0, -1.96), (0, 0, -1), "
    "texture:quorvane/exhaust)",
    "AddExhaust(thruster0, 2, 0.040000000000000001, (0.61199999999999999, 0, -1.96), (0, 0, -1), "
    "texture:quorvane/exhaust)",
    "CreateThrusterGroup([thruster0], 1, 0)",
    "CreateAirfoil3(0, (0, 0, 0), function, null, 1, 1, 1)",
    "CreateAirfoil3(1, (0, 0, 0), function, null, 1, 1, 1)",
    "CreateAttachment(true, (0, 0, 0), (0, -1, 0), (-1, 0, 0), \"EVEN\", false)",
};

// Every call the set-up made, the free functions too, in order.
std::vector<std::string> AllCalls(const host::CallJournal &j) {
    std::vector<std::string> calls;
    for (const auto &e : j.Entries()) calls.push_back(e.call);
    return calls;
}

using SatelliteDefinition = HostTest;

TEST_F(SatelliteDefinition, OddSetUpMakesTheseHostCallsInThisOrder) {
    Create("Q1", "quorvane_odd");
    EXPECT_THAT(CallsOf("Q1"), ElementsAreArray(kOddSetUp));
    EXPECT_EQ(sim->Journal()->Matching("oapiRegisterExhaustTexture"),
              std::vector<std::string>{"oapiRegisterExhaustTexture(\"quorvane/exhaust\")"});
}

TEST_F(SatelliteDefinition, EvenSetUpDiffersOnlyInMeshNameAndRotationReference) {
    Create("Q1", "quorvane_odd");
    const std::vector<std::string> odd = AllCalls(*sim->Journal());
    sim->Journal()->Clear();
    Create("Q2", "quorvane_even");
    const std::vector<std::string> even = AllCalls(*sim->Journal());

    // The even module's first load logs its version: skip the Date2Int of
    // each module's attach, which belongs to loading, not to the set-up.
    auto strip = [](std::vector<std::string> calls) {
        calls.erase(std::remove_if(calls.begin(), calls.end(),
                                   [](const std::string &c) { return c.rfind("Date2Int(", 0) == 0; }),
                    calls.end());
        return calls;
    };
    const std::vector<std::string> a = strip(odd), b = strip(even);
    ASSERT_EQ(a.size(), b.size());
    std::vector<std::pair<std::string, std::string>> differences;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) differences.emplace_back(a[i], b[i]);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"AddMesh(\"quorvane/quorvane_odd\", null)", "AddMesh(\"quorvane/quorvane_even\", null)"},
        {"CreateAttachment(true, (0, 0, 0), (0, -1, 0), (-1, 0, 0), \"EVEN\", false)",
         "CreateAttachment(true, (0, 0, 0), (0, -1, 0), (1, 0, 0), \"EVEN\", false)"},
    };
    EXPECT_EQ(differences, expected);
}

TEST_F(SatelliteDefinition, DefinitionReachesTheHost) {
    host::SimVessel &v = Create("Q1", "quorvane_even");
    EXPECT_EQ(v.emptyMass, 227.0);
    EXPECT_EQ(v.Mass(), 277.0);
    ASSERT_EQ(v.touchdown.size(), 3u);
    for (const TOUCHDOWNVTX &t : v.touchdown) {
        EXPECT_EQ(length(t.pos), 0.0);
        EXPECT_EQ(t.stiffness, 60000);
        EXPECT_EQ(t.damping, 2000);
        EXPECT_EQ(t.mu, 3.0);
        EXPECT_EQ(t.mu_lng, 0.2);
    }
    ASSERT_EQ(v.animations.size(), 1u);
    const host::Animation &array = v.animations[0];
    EXPECT_EQ(array.state, 0.0) << "stowed after set-up";
    ASSERT_EQ(array.components.size(), 6u) << "the sixth component is added too";
    EXPECT_EQ(array.components[0]->parent, nullptr);
    for (int k = 1; k < 6; ++k) EXPECT_EQ(array.components[k]->parent, array.components[k - 1].get()) << k;
    ASSERT_EQ(v.thrusters.size(), 1u);
    EXPECT_EQ(v.thrusters[0]->propellant, v.propellants[0].get());
    ASSERT_NE(v.Group(THGROUP_MAIN), nullptr);
    EXPECT_EQ(v.Group(THGROUP_MAIN)->thrusters, std::vector<host::Thruster *>{v.thrusters[0].get()});
    ASSERT_EQ(v.attachments.size(), 1u);
    EXPECT_TRUE(v.attachments[0]->toParent);
    EXPECT_EQ(v.attachments[0]->id, "EVEN");
    ASSERT_EQ(v.airfoils.size(), 2u);
    EXPECT_NE(v.airfoils[0]->coeff, nullptr);
}

// Where a panel's point goes when the chain of hinges turns, computed without
// the host: rotations about z-parallel hinge lines, innermost first.
VECTOR3 TurnThroughChain(VECTOR3 p, int panel, double state) {
    const double hingeX[6] = {-0.83, 0.571, -0.571, 0.571, -0.571, 0.571};
    const double hingeY[6] = {0.102, 0.106, 0.11, 0.115, 0.119, 0.123};
    const int degrees[6] = {90, -180, 180, -180, 180, -180};
    for (int k = panel; k >= 0; --k) {
        const double a = static_cast<double>(static_cast<float>(degrees[k] * 0.017453292519943295)) * state;
        const double x = p.x - hingeX[k], y = p.y - hingeY[k];
        p = _V(hingeX[k] + x * std::cos(a) - y * std::sin(a), hingeY[k] + x * std::sin(a) + y * std::cos(a), p.z);
    }
    return p;
}

TEST_F(SatelliteDefinition, ArrayAnimationTurnsEachPanelOnTopOfItsParent) {
    host::SimVessel &v = Create("Q1", "quorvane_odd");
    const VECTOR3 probes[3] = {_V(0.3, 0.2, 0.5), _V(-1.2, 0.1, -0.4), _V(0.571, 0.106, 1.0)};
    for (double state : {0.0, 0.25, 1.0}) {
        ASSERT_TRUE(v.SetAnimation(0, state));
        for (UINT group = 0; group < 6; ++group) {
            const host::Affine t = v.GroupTransform(0, group);
            for (const VECTOR3 &p : probes) {
                const VECTOR3 got = t.Apply(p), want = TurnThroughChain(p, static_cast<int>(group), state);
                EXPECT_NEAR(got.x, want.x, 1e-9) << "group " << group << " state " << state;
                EXPECT_NEAR(got.y, want.y, 1e-9) << "group " << group << " state " << state;
                EXPECT_NEAR(got.z, want.z, 1e-12);
            }
        }
    }
    // At state 1 panel 0 has turned +90 degrees: x maps to y about its hinge.
    const host::Affine first = v.GroupTransform(0, 0);
    const VECTOR3 p = first.Apply(_V(-0.83 + 1.0, 0.102, 0));
    EXPECT_NEAR(p.x, -0.83, 1e-7);
    EXPECT_NEAR(p.y, 0.102 + 1.0, 1e-7);
}

TEST_F(SatelliteDefinition, AThousandVesselsComeAndGoAndTheModulesWithThem) {
    const std::string path = BuildRoot() + "/Modules/quorvane_odd.so";
    sim->EnableJournal(false);
    for (int i = 0; i < 1000; ++i) {
        static const char *const kClasses[3] = {"quorvane_odd", "quorvane_even", "quorvane_stack"};
        host::SimVessel &v = Create("V" + std::to_string(i), kClasses[i % 3]);
        if (i % 7 == 0) sim->DestroyVessel(&v);
    }
    while (!sim->Vessels().empty()) sim->DestroyVessel(sim->Vessels().back().get());
    EXPECT_FALSE(IsLoaded(path));
}

}  // namespace
