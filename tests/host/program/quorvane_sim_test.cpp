// The quorvane-sim program as users run it: bad input, determinism, resumed
// runs, plugins and its help.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "program_runner.h"
#include "support/host_fixture.h"
#include "support/install_tree.h"

using testing_support::ProgramResult;
using testing_support::RunQuorvaneSim;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

namespace {

// A launch vehicle holding a satellite, and a free satellite.
const char kOrbit[] =
    "BEGIN_DESC\nA satellite on its carrier, and one free\nEND_DESC\n"
    "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51982.5\nEND_ENVIRONMENT\n"
    "BEGIN_FOCUS\n  Ship Lv\nEND_FOCUS\n"
    "BEGIN_SHIPS\n"
    "Lv:Carrier\n  STATUS Orbiting Earth\n  RPOS 6778000 0 0\n  RVEL 0 7668.6 0\n  AROT 0 0 0\n  VROT 0 0 0.5\nEND\n"
    "Sat:quorvane_odd\n  STATUS Orbiting Earth\n  ATTACHED 0:0,Lv\n  PRPLEVEL 0:1\nEND\n"
    "Free:quorvane_even\n  STATUS Orbiting Earth\n  RPOS 0 6778000 100\n  RVEL -7668.6 0 1\n  AROT 10 20 30\n"
    "  PRPLEVEL 0:1\nEND\n"
    "END_SHIPS\n";

class QuorvaneSim : public ::testing::Test {
protected:
    void SetUp() override {
        tree.AddProjectClasses();
        tree.AddCarrierClass();
        tree.AddClass("InputProbe", "ClassName = InputProbe\nModule = input_probe\n");
        tree.LinkModule(testing_support::TestModules() + "/input_probe.so");
        tree.WriteFile("orbit.scn", kOrbit);
    }
    // Runs in the tree's root, with the tree as the installation.
    ProgramResult Run(const std::vector<std::string> &args) {
        std::vector<std::string> all = {"--root", tree.Root()};
        all.insert(all.end(), args.begin(), args.end());
        return RunQuorvaneSim(all, tree.Root());
    }
    testing_support::InstallTree tree;
};

// ---- bad input ----

struct BadInput {
    const char *name;
    std::vector<std::string> args;  // "--root <tree>" is added
    int status;
    const char *message;              // the whole line on standard error, as a regular expression
    std::vector<std::string> files;   // written into the tree first, each "name=text"
};
void PrintTo(const BadInput &c, std::ostream *os) { *os << c.name; }

class BadInputs : public QuorvaneSim, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputs, GetOneLineNamingTheFileOrOptionAndLeaveNoOutputBehind) {
    const BadInput &c = GetParam();
    for (const std::string &file : c.files) tree.WriteFile(file.substr(0, file.find('=')), file.substr(file.find('=') + 1));
    const std::vector<std::string> before = tree.List();
    const ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_THAT(r.err, MatchesRegex(std::string("quorvane-sim: ") + c.message + "\n"));
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line on standard error";
    EXPECT_EQ(r.out, "");
    // The modules' own log without the sound add-on is theirs, not the program's output.
    std::vector<std::string> after = tree.List();
    after.erase(std::remove(after.begin(), after.end(), "OrbiterSound_Log.txt"), after.end());
    EXPECT_THAT(after, ElementsAreArray(before)) << "no output, and no temporary file";
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadInputs,
    ::testing::Values(
        BadInput{"main_job_without_its_scenario", {"--dt", "1"}, 1, "Quorvane/reference_deployment: no such scenario file", {}},
        BadInput{"unknown_option", {"orbit.scn", "--fast"}, 2, "unknown option '--fast' \\(see --help\\)", {}},
        BadInput{"zero_step", {"orbit.scn", "--dt", "0"}, 2, "--dt: '0' is not a positive number of seconds", {}},
        BadInput{"step_without_value", {"orbit.scn", "--dt"}, 2, "--dt needs a value \\(see --help\\)", {}},
        BadInput{"negative_seed", {"orbit.scn", "--seed=-3"}, 2, "--seed: '-3' is not a whole number from 0", {}},
        BadInput{"end_not_a_number", {"orbit.scn", "--until", "later"}, 2, "--until: 'later' is not a number of seconds from 0", {}},
        BadInput{"trace_interval_alone", {"orbit.scn", "--trace-every", "1"}, 2, "--trace-every needs --trace", {}},
        BadInput{"two_scenarios", {"orbit.scn", "other.scn"}, 2, "one scenario at a time: 'orbit.scn' and 'other.scn' \\(see --help\\)", {}},
        BadInput{"flag_with_value", {"orbit.scn", "--quiet=yes"}, 2, "--quiet takes no value", {}},
        BadInput{"missing_scenario", {"nowhere.scn"}, 1, "nowhere.scn: no such scenario file", {}},
        BadInput{"malformed_scenario", {"bad.scn"}, 1, "bad.scn:2: vessel block A is not closed with END",
                 {"bad.scn=BEGIN_SHIPS\nA:Carrier\nEND_SHIPS\n"}},
        BadInput{"unknown_class", {"bad.scn"}, 1, "bad.scn:2: unknown vessel class Nope \\(.*Nope.cfg: cannot open configuration file\\)",
                 {"bad.scn=BEGIN_SHIPS\nA:Nope\nEND\nEND_SHIPS\n"}},
        BadInput{"missing_module", {"bad.scn"}, 1, "bad.scn:2: vessel class Ghost: cannot load module .*Modules/ghost.so: .*",
                 {"Config/Vessels/Ghost.cfg=Module = ghost\n", "bad.scn=BEGIN_SHIPS\nA:Ghost\nEND\nEND_SHIPS\n"}},
        BadInput{"malformed_class_file", {"orbit.scn"}, 1, "orbit.scn:12: .*Carrier.cfg:1: Size must be a positive number of metres, not '-1'",
                 {"Config/Vessels/Carrier.cfg=Size = -1\n"}},
        BadInput{"bad_host_line", {"bad.scn"}, 1, "bad.scn:3: vessel A: cannot read AROT a b c from 'AROT 1 2'",
                 {"bad.scn=BEGIN_SHIPS\nA:Carrier\n  AROT 1 2\nEND\nEND_SHIPS\n"}},
        BadInput{"event_names_no_vessel", {"orbit.scn", "--event", "1 key Nobody G"}, 1,
                 "--event 1: no vessel named Nobody in the scenario", {}},
        BadInput{"event_names_no_key", {"orbit.scn", "--event", "1 key Sat G", "--event", "1 key Sat Q9"}, 1,
                 "--event 2: unknown key 'Q9' \\(key names such as G, K, NUMPAD8, F1, SPACE\\)", {}},
        BadInput{"bad_events_file", {"orbit.scn", "--events", "ev.txt"}, 1, "ev.txt:2: unknown event action 'fly' .*",
                 {"ev.txt=# script\n3 fly Sat\n"}},
        BadInput{"missing_events_file", {"orbit.scn", "--events", "none.txt"}, 1, "none.txt: cannot open the events file", {}},
        BadInput{"scenario_event_escapes", {"bad.scn"}, 1,
                 "bad.scn:5: a scenario's events write only below the working folder, not to '../x.scn'",
                 {"bad.scn=BEGIN_SHIPS\nEND_SHIPS\nBEGIN_QUORVANE_EVENTS\n  0 save ok.scn\n  1 save ../x.scn\nEND_QUORVANE_EVENTS\n"}},
        BadInput{"save_into_missing_folder", {"orbit.scn", "--save", "nodir/out.scn"}, 1,
                 "--save: cannot write nodir/out.scn: No such file or directory", {}},
        BadInput{"trace_onto_a_folder", {"orbit.scn", "--trace", "Config"}, 1, "--trace: cannot write Config: it is a folder", {}},
        BadInput{"event_output_unwritable", {"orbit.scn", "--until", "1", "--event", "2 hud Sat 10x10 nodir/a.svg"}, 1,
                 "--event 1: cannot write nodir/a.svg: No such file or directory", {}},
        BadInput{"log_into_missing_folder", {"orbit.scn", "--log", "nodir/run.log"}, 1,
                 "--log: cannot write nodir/run.log: No such file or directory", {}},
        BadInput{"no_root", {"orbit.scn", "--root", "/nonexistent"}, 1, "--root: no folder '/nonexistent'", {}},
        BadInput{"missing_plugin", {"orbit.scn", "--plugin", "Modules/Plugin/OrbiterSound.dll"}, 1,
                 "--plugin: cannot load plugin Modules/Plugin/OrbiterSound.dll: .*", {}},
        BadInput{"thrust_without_engine", {"orbit.scn", "--save", "out.scn", "--event", "0.5 thrust Lv 1"}, 1,
                 "--event 1: vessel Lv has no main thruster group", {}},
        BadInput{"detach_beyond_the_points", {"orbit.scn", "--save", "out.scn", "--trace", "t.csv", "--event", "1 detach Lv 5 0.5"}, 1,
                 "--event 1: vessel Lv has no child attachment point 5 \\(it has 2\\)", {}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- runs ----

TEST_F(QuorvaneSim, ACleanRunSaysWhatItWroteAndNothingOnStandardError) {
    const ProgramResult r = Run({"orbit.scn", "--until", "2", "--save", "out.scn", "--trace", "t.csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "no progress display when the output is no terminal";
    EXPECT_THAT(r.out, HasSubstr("quorvane-sim: 20 steps of 0.1 s to t = 2.000 s"));
    EXPECT_THAT(r.out, HasSubstr("quorvane-sim: wrote out.scn\nquorvane-sim: wrote t.csv\n"));
    const ProgramResult quiet = Run({"orbit.scn", "--until", "2", "--quiet"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
}

TEST_F(QuorvaneSim, LinesTheHostDoesNotKnowAreWarningsAndTheRunGoesOn) {
    tree.WriteFile("odd.scn", "BEGIN_SHIPS\nLv:Carrier\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  FOO 1\nEND\nEND_SHIPS\n");
    const ProgramResult r = Run({"odd.scn", "--until", "1", "--save", "out.scn"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "quorvane-sim: warning: odd.scn:5: vessel Lv: unknown line 'FOO 1'\n");
    EXPECT_TRUE(tree.Exists("out.scn"));
}

TEST_F(QuorvaneSim, TheTraceHoldsEveryVesselAtEverySample) {
    ASSERT_EQ(Run({"orbit.scn", "--until", "1", "--trace", "t.csv", "--trace-every", "0.5"}).status, 0);
    const std::string csv = tree.ReadFile("t.csv");
    EXPECT_THAT(csv, ::testing::StartsWith("time_s,vessel,class,x_m,y_m,z_m,vx_m_s,vy_m_s,vz_m_s,alpha_deg,beta_deg,"
                                          "gamma_deg,wx_deg_s,wy_deg_s,wz_deg_s\n"
                                          "0.000,Lv,Carrier,6778000.000,0.000,0.000,0.0000,7668.6000,0.0000,0.0000,0.0000,"
                                          "0.0000,0.0000,0.0000,0.5000\n"));
    EXPECT_THAT(csv, HasSubstr("\n0.000,Free,quorvane_even,0.000,6778000.000,100.000,-7668.6000,0.0000,1.0000,10.0000,"
                               "20.0000,30.0000,"));
    for (const char *t : {"0.000,", "0.500,", "1.000,"})
        for (const char *v : {"Lv,", "Sat,", "Free,"})
            EXPECT_THAT(csv, HasSubstr(std::string("\n") + t + v)) << t << v;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 * 3);
}

TEST_F(QuorvaneSim, OneSeedGivesOneResultByteForByte) {
    tree.WriteFile("probes.scn",
                   "BEGIN_SHIPS\nP:InputProbe\n  STATUS Orbiting Earth\n  RPOS 7000000 0 0\n  RVEL 0 7546 0\nEND\n"
                   "Sat:quorvane_odd\n  STATUS Orbiting Earth\n  RPOS 0 7000000 0\n  RVEL -7546 0 0\nEND\nEND_SHIPS\n");
    auto run = [&](const char *seed, const std::string &tag) {
        const ProgramResult r = Run({"probes.scn", "--until", "30", "--seed", seed, "--save", tag + ".scn", "--trace",
                                     tag + ".csv", "--event", "3 thrust Sat 1"});
        EXPECT_EQ(r.status, 0) << r.err;
        return tree.ReadFile(tag + ".scn") + tree.ReadFile(tag + ".csv");
    };
    const std::string first = run("7", "a"), second = run("7", "b"), other = run("8", "c");
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other) << "the probe saves the last random number it drew";
}

TEST_F(QuorvaneSim, ARunSavedHalfWayAndResumedEndsWhereTheWholeRunEnds) {
    const std::vector<std::string> script = {"--event", "5 detach Lv 0 0.5",     "--event", "8 thrust Free 1",
                                             "--event", "12 navmode Free 1 on",  "--event", "15 thrust Free 0.25",
                                             "--event", "10 save half.scn"};
    std::vector<std::string> whole = {"orbit.scn", "--until", "20", "--save", "whole.scn"};
    whole.insert(whole.end(), script.begin(), script.end());
    // Rotation stays out: a turning attitude is saved as angles, exact to the angle but not to the matrix.
    tree.WriteFile("orbit.scn", std::regex_replace(kOrbit, std::regex("  VROT 0 0 0.5\n"), ""));
    ASSERT_EQ(Run(whole).status, 0);
    const ProgramResult resumed = Run({"half.scn", "--until", "10", "--save", "resumed.scn"});
    ASSERT_EQ(resumed.status, 0) << resumed.err;
    // The dates differ in the last digits of the clock's sum; everything else is the same.
    const std::regex date("  Date MJD [0-9.]+\n");
    EXPECT_EQ(std::regex_replace(tree.ReadFile("resumed.scn"), date, ""),
              std::regex_replace(tree.ReadFile("whole.scn"), date, ""));
    EXPECT_THAT(tree.ReadFile("half.scn"),
                HasSubstr("BEGIN_QUORVANE_EVENTS\n  2 navmode Free 1 on\n  5 thrust Free 0.25\nEND_QUORVANE_EVENTS\n"));
}

TEST_F(QuorvaneSim, AReportWaitsForTheArraysAtMostAWhileAfterTheLastEvent) {
    // Sat stays on its carrier and never counts; Free notices its release at the first step. The last
    // event is at 4 s.
    const ProgramResult r = Run({"orbit.scn", "--report", "--dt", "1", "--event", "3 navmode Free 5 on",
                                 "--event", "4 navmode Free 5 off"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("\n  Arrays start to unfold            t = 2001.000 s (step 2002), 1 of 2 not yet\n"));
    EXPECT_THAT(r.out, HasSubstr("\n  Arrays fully out                  t = 2021.000 s (step 2021), 1 of 2 not yet\n"));
    EXPECT_THAT(r.out, HasSubstr("\nquorvane-sim: 2084 steps of 1 s to t = 2084.000 s"))
        << "2080 s after the last event";
    // Once every array is out, the run ends with the step that brought the last one out.
    tree.WriteFile("free.scn", "BEGIN_SHIPS\nFree:quorvane_even\n  STATUS Orbiting Earth\n  RPOS 0 6778000 0\n"
                               "  RVEL 0 0 7668.6\n  PRPLEVEL 0:1\nEND\nEND_SHIPS\n");
    const ProgramResult one = Run({"free.scn", "--report", "--dt", "1"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_THAT(one.out, HasSubstr("\n  Arrays fully out                  t = 2021.000 s (step 2021)\n"));
    EXPECT_THAT(one.out, HasSubstr("\nquorvane-sim: 2021 steps of 1 s to t = 2021.000 s"));
    EXPECT_THAT(one.out, HasSubstr("\n  Final scenario                    not saved (--save FILE)\n"));
}

TEST_F(QuorvaneSim, ScenariosAreFoundInTheInstallationsScenarioFolder) {
    tree.WriteFile("Scenarios/Quorvane/Orbit test.scn", kOrbit);
    const ProgramResult r = Run({"Quorvane/Orbit test", "--quiet"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(QuorvaneSim, PluginsLoadFromTheWorkingFolderOrTheInstallation) {
    tree.WriteFile("work/.keep", "");
    tree.LinkModule(testing_support::TestModules() + "/probe_plain.so");
    const ProgramResult r = RunQuorvaneSim(
        {tree.Path("orbit.scn"), "--root", tree.Root(), "--plugin", "Modules/probe_plain.so", "--quiet"}, tree.Path("work"));
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(QuorvaneSim, TheLogTellsWhatWasLoadedAndWhatPluginsAndModulesWrote) {
    const std::string plugin = testing_support::BuildRoot() + "/Modules/Plugin/OrbiterSound.dll";
    const ProgramResult r = Run({"orbit.scn", "--plugin", plugin, "--log", "run.log", "--until", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("quorvane-sim: wrote run.log\n"));
    const std::string log = tree.ReadFile("run.log");
    EXPECT_THAT(log, HasSubstr("Plugin " + plugin + "\n"));
    EXPECT_THAT(log, ::testing::ContainsRegex("Module quorvane_odd.so \\[Build .*, API [0-9]+\\]\n"));
    EXPECT_THAT(log, HasSubstr("OrbiterSound stand-in: "));
    EXPECT_FALSE(tree.Exists("OrbiterSound_Log.txt")) << "the satellites found the sound add-on";

    // A run that fails still leaves its log, for the reason.
    const ProgramResult failed = Run({"orbit.scn", "--log", "failed.log", "--event", "0 thrust Lv 1"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_THAT(tree.ReadFile("failed.log"), HasSubstr("Module quorvane_even.so"));
}

TEST_F(QuorvaneSim, HelpDocumentsEveryOptionAndEveryEvent) {
    const ProgramResult r = RunQuorvaneSim({"--help"}, tree.Root());
    EXPECT_EQ(r.status, 0);
    for (const char *word : {"--dt", "--until", "--seed", "--save", "--event", "--events", "--trace", "--trace-every",
                             "--root", "--plugin", "--log", "--report", "--quiet", "key VESSEL KEY [shift] [ctrl]", "hold VESSEL KEY SECONDS",
                             "navmode VESSEL N on|off", "thrust VESSEL LEVEL", "detach VESSEL INDEX SPEED", "save FILE",
                             "hud VESSEL WxH FILE", "BEGIN_QUORVANE_EVENTS", "clbkConsumeDirectKey"})
        EXPECT_THAT(r.out, HasSubstr(word));
}

}  // namespace
