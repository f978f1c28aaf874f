// One run of quorvane-sim: load the installation's plugins and the scenario,
// step the simulation with fixed steps, play the events, sample the trace, and
// write the scenario when the run ends. With a report, the run watches the
// deployment and ends once every array is out and every event is played.
#ifndef QUORVANE_HOST_PROGRAM_SCENARIO_RUN_H
#define QUORVANE_HOST_PROGRAM_SCENARIO_RUN_H

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "deployment_watch.h"
#include "event_player.h"
#include "files/scenario_file.h"
#include "files/trace_file.h"
#include "world/simulation.h"

namespace host {

class ScenarioRun {
public:
    struct Observer {
        std::function<void(const std::string &)> warning;        // a warning about input, as it comes
        std::function<void(double simTime, double until)> step;  // after each step
    };

    ScenarioRun(RunOptions options, Observer observer);
    ~ScenarioRun();

    // Everything before the first step; false with a message naming the file
    // and line, or the option. Outputs are checked first, so that a long run
    // does not fail at its end for a folder that does not exist.
    bool Load(std::string *error);
    // Steps to the end, applies the events due then, writes the scenario and
    // the trace; false with a message, and then no output of the run's end is
    // written.
    bool Run(std::string *error);

    // The host's log as it stands, to the file --log names (if any).
    bool WriteLog(std::string *error) const;

    Simulation &Sim() { return *sim_; }
    double Until() const { return until_; }
    // The deployment watched in a run with a report; null otherwise.
    DeploymentWatch *Watch() { return watch_.get(); }
    // Files written, in order.
    const std::vector<std::string> &Written() const { return written_; }

private:
    bool LoadEvents(std::vector<ScriptEvent> &events, std::string *error) const;
    // Every file the run will write can be written; before any vessel exists.
    bool CheckOutputs(const std::vector<ScriptEvent> &events, std::string *error) const;
    bool Frame(std::string *error);
    // A run with a report and no --until is over once every array is out and
    // every event is due.
    bool Finished() const;
    void SampleTrace();
    bool SaveScenario(const std::string &file, std::string *error);
    void ReportWarnings();

    RunOptions options_;
    Observer observer_;
    std::unique_ptr<Simulation> sim_;
    std::optional<ScenarioFile> scenario_;
    std::unique_ptr<EventPlayer> player_;
    std::unique_ptr<DeploymentWatch> watch_;
    TraceFile trace_;
    bool tracing_ = false;
    double nextSample_ = 0;  // [s]
    double until_ = 0;       // [s]
    double tolerance_ = 0;   // of the step clock when comparing times [s]
    size_t warningsShown_ = 0;
    std::vector<std::string> written_;
};

// The path of a scenario named on the command line: the file itself when it
// exists, else the installation's Scenarios/<name>, with ".scn" added when
// missing; empty when none exists.
std::string FindScenario(const std::string &name, const std::string &root);

}  // namespace host

#endif
