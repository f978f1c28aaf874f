// The progress of a run on a terminal: simulation time and the speed-up over
// real time, on one line that is rewritten a few times a second.
#ifndef QUORVANE_HOST_PROGRAM_PROGRESS_DISPLAY_H
#define QUORVANE_HOST_PROGRAM_PROGRESS_DISPLAY_H

#include <chrono>
#include <cstdio>

namespace host {

class ProgressDisplay {
public:
    // Shows nothing unless enabled (the caller checks for a terminal).
    ProgressDisplay(bool enabled, std::FILE *out);
    void Update(double simTime, double until);
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
