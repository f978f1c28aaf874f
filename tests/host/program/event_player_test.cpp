// Events and keys in a run: when each reaches the vessels, relative to the
// step, and what a scenario saved in the middle of a script holds.
#include "program/event_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "program/scenario_run.h"
#include "support/host_fixture.h"
#include "support/install_tree.h"
#include "world/host_log.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Two input probes; A has the focus.
const char kProbes[] =
    "BEGIN_FOCUS\n  Ship A\nEND_FOCUS\n"
    "BEGIN_SHIPS\n"
    "A:InputProbe\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  RVEL 0 7546 0\n  PRPLEVEL 0:1\nEND\n"
    "B:InputProbe\n  STATUS Orbiting Earth\n  RPOS 0 7000000 0\n  RVEL -7546 0 0\nEND\n"
    "END_SHIPS\n";

class EventsInARun : public ::testing::Test {
protected:
    void SetUp() override {
        tree.AddClass("InputProbe", "ClassName = InputProbe\nModule = input_probe\n");
        tree.LinkModule(testing_support::TestModules() + "/input_probe.so");
        tree.WriteFile("probes.scn", kProbes);
        host::HostLog::Instance().Clear();
    }
    // Runs the probes' scenario with these events; the run's error, empty on success.
    std::string Run(const std::vector<std::string> &events, double until) {
        host::RunOptions o;
        o.scenario = tree.Path("probes.scn");
        o.root = tree.Root();
        o.events = events;
        o.hasUntil = true;
        o.until = until;
        host::ScenarioRun run(o, {});
        std::string error;
        if (!run.Load(&error) || !run.Run(&error)) return error;
        return "";
    }
    // What the probes wrote to the host's log, without the module loads.
    std::vector<std::string> ProbeLog() const {
        std::vector<std::string> lines;
        for (const std::string &l : host::HostLog::Instance().Lines())
            if (l.compare(0, 2, "A ") == 0 || l.compare(0, 2, "B ") == 0) lines.push_back(l);
        return lines;
    }
    testing_support::ScratchDirectory scratch;  // modules write their logs into the current folder
    testing_support::InstallTree tree;
};

TEST_F(EventsInARun, KeysReachTheirVesselBeforeTheStepAndTheFocusGetsTheKeyboardEveryFrame) {
    ASSERT_EQ(Run({"0.2 key B G shift", "0.3 hold B NUMPAD8 0.2"}, 0.6), "");
    EXPECT_THAT(ProbeLog(), ElementsAre("A focus gained",                                                 //
                                        "A direct", "A prestep 0", "B prestep 0",                         //
                                        "A direct", "A prestep 0.1", "B prestep 0.1",                     //
                                        "B buffered 22 down with 22 2A", "B buffered 22 up with 2A",      //
                                        "A direct", "A prestep 0.2", "B prestep 0.2",                     //
                                        "A direct", "B direct 48", "A prestep 0.3", "B prestep 0.3",      //
                                        "A direct", "B direct 48", "A prestep 0.4", "B prestep 0.4",      //
                                        "A direct", "A prestep 0.5", "B prestep 0.5"));
}

TEST_F(EventsInARun, AKeyPressedWhileAnotherIsHeldSeesBothInTheKeyboard) {
    ASSERT_EQ(Run({"0 hold A NUMPAD2 0.15", "0.1 key A K ctrl"}, 0.2), "");
    EXPECT_THAT(ProbeLog(), ElementsAre("A focus gained", "A direct 50", "A prestep 0", "B prestep 0",
                                        "A buffered 25 down with 1D 25 50", "A buffered 25 up with 1D 50",
                                        "A direct 50", "A prestep 0.1", "B prestep 0.1"));
}

TEST_F(EventsInARun, EventsDueWhenTheRunEndsAreAppliedBeforeItEnds) {
    ASSERT_EQ(Run({"0.1 key B K"}, 0.1), "");
    EXPECT_THAT(ProbeLog(), ElementsAre("A focus gained", "A direct", "A prestep 0", "B prestep 0",
                                        "B buffered 25 down with 25", "B buffered 25 up with"));
}

TEST_F(EventsInARun, AScenarioSavedMidScriptHoldsWhatIsStillToCome) {
    const std::string mid = tree.Path("mid.scn");
    ASSERT_EQ(Run({"0.3 hold B NUMPAD8 0.2", "0.1 navmode A 3 on", "0.4 save " + mid, "0.4 thrust A 1", "0.55 key A K"},
                  0.6),
              "");
    EXPECT_THAT(tree.ReadFile("mid.scn"), HasSubstr("BEGIN_QUORVANE_EVENTS\n"
                                                    "  0 hold B NUMPAD8 0.1\n"
                                                    "  0 navmode A 3 on\n"
                                                    "  0 thrust A 1\n"
                                                    "  0.15 key A K\n"
                                                    "END_QUORVANE_EVENTS\n"));
}

TEST_F(EventsInARun, AHudEventDrawsTheVesselsHudIntoAPicture) {
    ASSERT_EQ(Run({"0 hud B 640x480 " + tree.Path("b.svg")}, 0), "");
    EXPECT_THAT(tree.ReadFile("b.svg"), HasSubstr("<text x=\"320\" y=\"240\" fill=\"#ff0000\">mode 1, 640x480</text>"));
}

TEST_F(EventsInARun, ThrustSetsTheMainGroupsLevel) {
    host::RunOptions o;
    o.scenario = tree.Path("probes.scn");
    o.root = tree.Root();
    o.events = {"0 thrust A 0.5", "0.2 thrust A 0"};
    o.hasUntil = true;
    o.until = 0.1;
    host::ScenarioRun run(o, {});
    std::string error;
    ASSERT_TRUE(run.Load(&error) && run.Run(&error)) << error;
    host::SimVessel *a = run.Sim().FindVessel("A");
    EXPECT_EQ(a->ThrusterGroupLevel(THGROUP_MAIN), 0.5);
    EXPECT_NEAR(a->propellants[0]->mass, 10 - 0.5 * 10 / 1000.0 * 0.1, 1e-12);
}

}  // namespace
