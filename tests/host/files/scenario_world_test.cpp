// Scenarios and the world: vessels created from a scenario with the real
// modules, saved back, and the messages for scenarios that cannot be run.
#include "files/scenario_world.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "files/installation.h"
#include "world/number_text.h"
#include "support/host_fixture.h"
#include "support/install_tree.h"

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

// Free and attached vessels of module and generic classes, among sections
// the host does not use.
const char kMixed[] =
    "BEGIN_DESC\n"
    "Round trip; comments stay\n"
    "END_DESC\n"
    "\n"
    "BEGIN_ENVIRONMENT\n"
    "  System Sol\n"
    "  Date MJD 51982.25\n"
    "END_ENVIRONMENT\n"
    "\n"
    "BEGIN_FOCUS\n"
    "  Ship Lv\n"
    "END_FOCUS\n"
    "\n"
    "BEGIN_CAMERA\n"
    "  TARGET Lv\n"
    "  MODE Extern\n"
    "  POS 4.0 -30 20 ; far\n"
    "END_CAMERA\n"
    "\n"
    "BEGIN_MFD Left\n"
    "  TYPE Orbit\n"
    "  REF Earth\n"
    "END_MFD\n"
    "\n"
    "BEGIN_SHIPS\n"
    "Lv:Carrier\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS 6778000.123 1000.5 -20\n"
    "  RVEL -1.25 7668.6 3.5\n"
    "  AROT 10 -20 30\n"
    "  VROT 0.5 0 -0.25\n"
    "END\n"
    "Sat-1:quorvane_odd\n"
    "  STATUS Orbiting Earth\n"
    "  ATTACHED 0:0,Lv\n"
    "  PRPLEVEL 0:1.000000\n"
    "END\n"
    "Sat-2:quorvane_even\n"
    "  STATUS Orbiting Earth\n"
    "  ATTACHED 0:1,Lv\n"
    "  PRPLEVEL 0:0.5\n"
    "END\n"
    "Free:quorvane_odd\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS -6778000 0 12\n"
    "  RVEL 0 -7668.6 0\n"
    "  AROT 0 90 0\n"
    "  PRPLEVEL 0:0.25\n"
    "  THLEVEL 0:1\n"
    "END\n"
    "END_SHIPS\n"
    "\n"
    "BEGIN_PANEL\n"
    "END_PANEL\n";

class ScenarioWorld : public ::testing::Test {
protected:
    void SetUp() override {
        tree.AddProjectClasses();
        tree.AddCarrierClass();
    }
    // Loads a scenario text into a new simulation; fails the test on error.
    host::Simulation &Load(const std::string &text, const std::string &name = "a.scn") {
        sim.reset();  // one simulation at a time
        sim = std::make_unique<host::Simulation>();
        sim->SetClassResolver(host::Installation(tree.Root()).Resolver());
        std::string error;
        scenario = host::ScenarioFile::Parse(name, text, &error);
        if (!scenario || !host::CreateScenarioVessels(*scenario, *sim, &error)) {
            ADD_FAILURE() << error;
            throw std::runtime_error(error);
        }
        return *sim;
    }
    std::string Save() { return scenario->Render(host::TakeSnapshot(*sim)); }
    // The error of a scenario that cannot be loaded.
    std::string LoadError(const std::string &text) {
        sim.reset();
        sim = std::make_unique<host::Simulation>();
        sim->SetClassResolver(host::Installation(tree.Root()).Resolver());
        std::string error;
        scenario = host::ScenarioFile::Parse("a.scn", text, &error);
        if (scenario && host::CreateScenarioVessels(*scenario, *sim, &error)) ADD_FAILURE() << "loaded";
        return error;
    }

    testing_support::ScratchDirectory scratch;  // modules write their logs into the current folder
    testing_support::InstallTree tree;
    std::unique_ptr<host::Simulation> sim;
    std::optional<host::ScenarioFile> scenario;
};

TEST_F(ScenarioWorld, ASavedScenarioSavesAgainToTheSameTextAndKeepsWhatTheHostDoesNotUse) {
    Load(kMixed);
    const std::string first = Save();
    Load(first, "b.scn");
    const std::string second = Save();
    EXPECT_EQ(first, second);

    for (const char *kept : {"BEGIN_DESC\nRound trip; comments stay\nEND_DESC\n",
                             "BEGIN_CAMERA\n  TARGET Lv\n  MODE Extern\n  POS 4.0 -30 20 ; far\nEND_CAMERA\n",
                             "BEGIN_MFD Left\n  TYPE Orbit\n  REF Earth\nEND_MFD\n", "BEGIN_PANEL\nEND_PANEL\n",
                             "  Date MJD 51982.2500000000\n", "  Ship Lv\n"})
        EXPECT_THAT(first, HasSubstr(kept));
    // Children are saved by their link, not their place; the free vessel by its state.
    EXPECT_THAT(first, HasSubstr("Sat-1:quorvane_odd\n  STATUS Orbiting Earth\n  ATTACHED 0:0,Lv\n  PRPLEVEL 0:1.000000\n"));
    EXPECT_THAT(first, HasSubstr("Sat-2:quorvane_even\n  STATUS Orbiting Earth\n  ATTACHED 0:1,Lv\n  PRPLEVEL 0:0.500000\n"));
    EXPECT_THAT(first, HasSubstr("  RPOS -6778000.000 0.000 12.000\n"));
    EXPECT_THAT(first, HasSubstr("  THLEVEL 0:1.000000\n"));
}

TEST_F(ScenarioWorld, ChildrenHangOnTheirParentsBeforeAnyPostCreation) {
    host::Simulation &s = Load(kMixed);
    host::SimVessel *lv = s.FindVessel("Lv");
    EXPECT_EQ(s.FindVessel("Sat-1")->Parent(), lv);
    EXPECT_EQ(s.FindVessel("Sat-2")->Parent(), lv);
    EXPECT_EQ(s.FindVessel("Free")->Parent(), nullptr);
    EXPECT_EQ(s.Focus(), lv);
    EXPECT_EQ(s.StartMjd(), 51982.25);
}

TEST_F(ScenarioWorld, TheSavedDateIsTheStartPlusTheTimeRun) {
    host::Simulation &s = Load(kMixed);
    for (int i = 0; i < 864; ++i) s.Step(0.1);
    EXPECT_THAT(Save(), HasSubstr("  Date MJD " + host::FormatExact(51982.25 + s.SimTime() / 86400.0, 10) + "\n"));
    EXPECT_NEAR(s.Mjd(), 51982.251, 1e-9);
}

TEST_F(ScenarioWorld, AnEmptyTankStaysEmptyWhenTheScenarioIsResumed) {
    host::Simulation &s = Load(kMixed);
    s.FindVessel("Free")->propellants[0]->mass = 0;
    const std::string saved = Save();
    EXPECT_THAT(saved, HasSubstr("  AROT 0.000 90.000 0.000\n  THLEVEL 0:1.000000\n"))
        << "the simulator lists only tanks that hold something";
    Load(saved, "b.scn");
    EXPECT_EQ(sim->FindVessel("Free")->propellants[0]->mass, 0.0);
    EXPECT_EQ(sim->FindVessel("Sat-1")->propellants[0]->mass, 50.0);
}

TEST_F(ScenarioWorld, AVesselBlockWithoutAStateKeepsItsClassesPropellant) {
    Load("BEGIN_SHIPS\nS:quorvane_odd\nEND\nEND_SHIPS\n");
    EXPECT_EQ(sim->FindVessel("S")->propellants[0]->mass, 50.0);
}

TEST_F(ScenarioWorld, LinesTheHostDoesNotKnowAreWarningsWithFileAndLine) {
    Load("BEGIN_SHIPS\nLv:Carrier\n  STATUS Orbiting Earth\n  FOO 1 2\n  PRPLEVEL 0:1\n  THLEVEL 3:1\nEND\nEND_SHIPS\n");
    EXPECT_THAT(sim->Warnings(), ::testing::ElementsAre("a.scn:4: vessel Lv: unknown line 'FOO 1 2'",
                                                        "a.scn:5: vessel Lv has no propellant tank 0",
                                                        "a.scn:6: vessel Lv has no thruster 3"));
}

struct LoadFailure {
    const char *name;
    const char *ships;  // the ship list's blocks
    const char *message;
};
void PrintTo(const LoadFailure &c, std::ostream *os) { *os << c.name; }

class ScenarioLoadFailures : public ScenarioWorld, public ::testing::WithParamInterface<LoadFailure> {};

TEST_P(ScenarioLoadFailures, NameTheFileAndLine) {
    tree.AddClass("Ghost", "ClassName = Ghost\nModule = ghost\n");
    tree.AddClass("Broken", "ClassName = Broken\nMass = heavy\n");
    const std::string text = std::string("BEGIN_FOCUS\n  Ship Lv\nEND_FOCUS\nBEGIN_SHIPS\n") + GetParam().ships + "END_SHIPS\n";
    const std::string error = LoadError(text);
    EXPECT_THAT(error, StartsWith(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScenarioLoadFailures,
    ::testing::Values(
        LoadFailure{"unknown_class", "Lv:Carrier\nEND\nX:Nope\nEND\n", "a.scn:7: unknown vessel class Nope ("},
        LoadFailure{"missing_module", "Lv:Carrier\nEND\nG:Ghost\nEND\n", "a.scn:7: vessel class Ghost: cannot load module"},
        LoadFailure{"bad_class_file", "Lv:Carrier\nEND\nB:Broken\nEND\n", "a.scn:7: "},
        LoadFailure{"bad_host_line", "Lv:Carrier\n  RPOS 1 2\nEND\n",
                    "a.scn:6: vessel Lv: cannot read RPOS x y z from 'RPOS 1 2'"},
        LoadFailure{"other_body", "Lv:Carrier\n  STATUS Orbiting Mars\nEND\n",
                    "a.scn:6: vessel Lv orbits Mars, but this host models only Earth"},
        LoadFailure{"twice_the_same_name", "Lv:Carrier\nEND\nLv:Carrier\nEND\n", "a.scn:7: a vessel named Lv exists already"},
        LoadFailure{"parent_unknown", "Lv:Carrier\nEND\nS:quorvane_odd\n  ATTACHED 0:0,Nobody\nEND\n",
                    "a.scn:8: S is attached to unknown vessel Nobody"},
        LoadFailure{"no_such_point", "Lv:Carrier\nEND\nS:quorvane_odd\n  ATTACHED 0:7,Lv\nEND\n",
                    "a.scn:8: S:0 cannot attach to Lv:7, no such attachment point"},
        LoadFailure{"point_taken", "Lv:Carrier\nEND\nS:quorvane_odd\n  ATTACHED 0:0,Lv\nEND\nT:quorvane_odd\n  ATTACHED 0:0,Lv\nEND\n",
                    "a.scn:11: Lv point C0 already holds S"},
        LoadFailure{"focus_elsewhere", "Sat:quorvane_odd\nEND\n", "a.scn:2: the focus ship Lv is not in the ship list"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScenarioWorld, ABrokenClassFileIsNamedWithItsOwnLine) {
    tree.AddClass("Broken", "ClassName = Broken\nMass = heavy\n");
    EXPECT_THAT(LoadError("BEGIN_SHIPS\nB:Broken\nEND\nEND_SHIPS\n"),
                HasSubstr("Broken.cfg:2: Mass must be a number of kilograms, not 'heavy'"));
}

}  // namespace
