// The progress of a run on a terminal: simulation time and the speed-up over
// real time, on one line that is rewritten a few times a second.
#ifndef QUORVANE_HOST_PROGRAM_PROGRESS_DISPLAY_H
#define QUORVANE_HOST_PROGRAM_PROGRESS_DISPLAY_H

#include <chrono>
#include <cstdio>
#include <string>

namespace host {

class ProgressDisplay {
public:
    // Shows nothing unless enabled (the caller checks for a terminal).
    ProgressDisplay(bool enabled, std::FILE *out);
    // Time for a redraw: enabled, and the last one a moment ago.
    bool Due() const;
    // Redraws the line: the time of the run's end, or a note on the run
    // when there is one (an end that is only a limit would mislead).
    void Show(double simTime, double until, const std::string &note);
    void Update(double simTime, double until) {
        if (Due()) Show(simTime, until, std::string());
    }
    // Clears the line.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    std::FILE *out_;
    Clock::time_point start_, last_;
    bool shown_ = false;
};

}  // namespace host

#endif
