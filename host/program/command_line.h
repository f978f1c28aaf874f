// The command line of quorvane-sim: what to run, for how long and what to
// write. Errors name the option.
#ifndef QUORVANE_HOST_PROGRAM_COMMAND_LINE_H
#define QUORVANE_HOST_PROGRAM_COMMAND_LINE_H

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The main job: with no scenario, the program runs the bundled reference
// deployment until every array is out, reports and saves the end here.
extern const char kReferenceScenario[];      // "Quorvane/reference_deployment"
extern const char kReferenceScenarioSave[];  // "reference_deployment_end.scn"

struct RunOptions {
    std::string scenario;                 // the scenario file
    double dt = 0.1;                      // fixed step length [s]
    bool hasUntil = false;
    double until = 0;                     // end, seconds after the scenario's start
    std::uint64_t seed = 1;               // of the random numbers modules draw
    std::string save;                     // scenario written at the end, none when empty
    std::vector<std::string> events;      // --event texts, in order
    std::vector<std::string> eventFiles;  // --events files, in order
    std::string trace;                    // CSV trace, none when empty
    bool hasTraceEvery = false;
    double traceEvery = 0;                // [s]; every step when not given
    std::string root;                     // installation tree; the program's own when empty
    std::vector<std::string> plugins;     // libraries loaded before the scenario
    std::string log;                      // the host's log, written when the run ends
    bool report = false;                  // run until every array is out, then report the deployment
    bool quiet = false;
    bool help = false;
};

// False with a message naming the option. argv[0] is the program. Without a
// scenario the options are those of the main job, with the others given.
bool ParseCommandLine(int argc, const char *const *argv, RunOptions *options, std::string *error);

// The --help text.
std::string HelpText();

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // bad input or output, a failed run
constexpr int kExitUsage = 2;    // a bad command line

}  // namespace host

#endif
