#include "command_line.h"

#include <cerrno>
#include <cstdlib>

#include "world/number_text.h"

namespace host {

const char kReferenceScenario[] = "Quorvane/reference_deployment";
const char kReferenceScenarioSave[] = "reference_deployment_end.scn";

namespace {

bool ParseSeed(const std::string &text, std::uint64_t &seed) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    errno = 0;
    char *end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size()) return false;
    seed = v;
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char *const *argv, RunOptions *options, std::string *error) {
    RunOptions o;
    auto fail = [&](const std::string &message) {
        if (error != nullptr) *error = message;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (!o.scenario.empty())
                return fail("one scenario at a time: '" + o.scenario + "' and '" + arg + "' (see --help)");
            o.scenario = arg;
            continue;
        }
        // "--name=value" or "--name value".
        std::string name = arg, value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        auto flag = [&](bool &target) {
            if (inlineValue) return fail(name + " takes no value");
            target = true;
            return true;
        };
        auto next = [&]() {
            if (inlineValue) return true;
            if (i + 1 >= argc) return fail(name + " needs a value (see --help)");
            value = argv[++i];
            return true;
        };
        auto number = [&](double &target, bool positive, const char *what) {
            if (!next()) return false;
            if (!ParseDouble(value, target) || (positive ? target <= 0 : target < 0))
                return fail(name + ": '" + value + "' is not " + what);
            return true;
        };
        auto text = [&](std::string &target) {
            if (!next()) return false;
            if (value.empty()) return fail(name + " needs a value (see --help)");
            target = value;
            return true;
        };
        std::string item;
        bool ok = true;
        if (name == "--help" || name == "-h") {
            ok = flag(o.help);
        } else if (name == "--quiet" || name == "-q") {
            ok = flag(o.quiet);
        } else if (name == "--report") {
            ok = flag(o.report);
        } else if (name == "--dt") {
            ok = number(o.dt, true, "a positive number of seconds");
        } else if (name == "--until") {
            ok = number(o.until, false, "a number of seconds from 0");
            o.hasUntil = true;
        } else if (name == "--trace-every") {
            ok = number(o.traceEvery, true, "a positive number of seconds");
            o.hasTraceEvery = true;
        } else if (name == "--seed") {
            ok = next() && (ParseSeed(value, o.seed) || fail(name + ": '" + value + "' is not a whole number from 0"));
        } else if (name == "--save") {
            ok = text(o.save);
        } else if (name == "--trace") {
            ok = text(o.trace);
        } else if (name == "--root") {
            ok = text(o.root);
        } else if (name == "--log") {
            ok = text(o.log);
        } else if (name == "--event") {
            ok = text(item);
            o.events.push_back(item);
        } else if (name == "--events") {
            ok = text(item);
            o.eventFiles.push_back(item);
        } else if (name == "--plugin") {
            ok = text(item);
            o.plugins.push_back(item);
        } else {
            return fail("unknown option '" + name + "' (see --help)");
        }
        if (!ok) return false;
    }
    if (!o.help && o.scenario.empty()) {
        o.scenario = kReferenceScenario;
        o.report = true;
        if (o.save.empty()) o.save = kReferenceScenarioSave;
    }
    if (o.hasTraceEvery && o.trace.empty()) return fail("--trace-every needs --trace");
    if (options != nullptr) *options = std::move(o);
    return true;
}

std::string HelpText() {
    return R"(Usage: quorvane-sim [SCENARIO] [options]

Runs an Orbiter scenario without the simulator: loads the vessel modules and
class files of an installation tree, creates the scenario's vessels, steps the
simulation in the simulator's order of callbacks and plays scripted events.

SCENARIO is a scenario file (.scn); a name that is not a file is also looked
for in the installation's Scenarios/ folder, with or without ".scn".

Without a SCENARIO it runs the reference deployment (the installation's
Scenarios/Quorvane/reference_deployment.scn): a launch vehicle lets go of a
stack with 60 satellites, the stack sets them free, and 2000 s later their
arrays unfold and they point at the Earth. It
runs until every array is out (as --report does), prints a report of the
release, the deployment, the group's spread, how close the satellites came and
how well they point, and saves the end to reference_deployment_end.scn in the
working folder (--save names another file). Every other option applies.

Options:
  --dt S             fixed step length in seconds (default 0.1)
  --until T          stop at T seconds after the scenario's start: the run ends
                     after the first step that reaches T (default: the time of
                     the last event, 0 without events)
  --seed N           seed of the random numbers modules draw (oapiRand);
                     one seed, one result, byte for byte (default 1)
  --save FILE        write the scenario as it stands when the run ends
  --event "T ACTION ARGS"
                     an event at T seconds after the start (repeatable)
  --events FILE      events from a file, one a line ('#' or ';' comments)
  --trace FILE.csv   write a trace: per vessel the time, name, class, position
                     and velocity relative to the Earth, the three angles and
                     the angular velocity (degrees, degrees per second)
  --trace-every S    seconds between trace samples (default: every step)
  --root DIR         installation tree with Config/ and Modules/ (default: the
                     tree this program lies in)
  --plugin PATH      load a plugin library (such as a sound add-on) before the
                     scenario (repeatable); a relative PATH is looked for in
                     the working folder, then in the installation tree
  --log FILE         write the host's log when the run ends, also when it
                     fails: modules and plugins loaded, warnings, and what
                     modules and plugins wrote to it
  --report           run until every satellite's array is out (at the latest
                     2080 s after the last event; --until sets the end
                     instead) and report the deployment
  --quiet, -q        no progress display, no summary and no report
  --help, -h         this text

Events (T in seconds since the scenario's start; an event is applied at the
start of the first step at or after T, and events due when the run ends are
applied before the final save):
  key VESSEL KEY [shift] [ctrl]  press and release KEY (G, K, NUMPAD8, ...)
                                 with left Shift or left Control held
  hold VESSEL KEY SECONDS        hold KEY down that long
  navmode VESSEL N on|off        switch navigation mode N (1 kill rotation,
                                 2 horizon level, 3 prograde, 4 retrograde,
                                 5 orbit normal, 6 orbit antinormal, 7 hold
                                 altitude)
  thrust VESSEL LEVEL            main thruster group level, 0 to 1
  detach VESSEL INDEX SPEED      the vessel lets go of what hangs on its
                                 INDEX-th child point, at SPEED m/s
  save FILE                      write the scenario as it stands
  hud VESSEL WxH FILE            draw the vessel's HUD at W x H pixels into an
                                 SVG picture

Keys: every key goes to the vessel named. Each frame, before the step's
clbkPreStep calls, the focus vessel and every vessel with a held key get
clbkConsumeDirectKey once with their keyboard state; a key event is delivered
(press, then release) with clbkConsumeBufferedKey when it is applied, before
that. Key names are those of the host interface's OAPI_KEY_ constants without
the prefix.

A scenario carries its own events in a section the simulator ignores:
  BEGIN_QUORVANE_EVENTS
    10 key Sat-1 G
  END_QUORVANE_EVENTS
Those events may write files only below the working folder. A saved scenario
holds the events still to come (and held keys and active navigation modes),
timed from the moment of the save, so that it resumes the run.

Files are written under a temporary name and renamed when complete.
Exit status: 0 success, 1 bad input, a failed run or an unwritable output,
2 a bad command line.
)";
}

}  // namespace host
