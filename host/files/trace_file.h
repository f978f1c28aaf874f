// A run's trace: one CSV row per vessel and sample with the time, the vessel,
// its position and velocity relative to the reference body (global frame
// axes), its three orientation angles and its angular velocity (vessel frame).
// Angles are in degrees, as in scenario files; times to the nanosecond.
#ifndef QUORVANE_HOST_FILES_TRACE_FILE_H
#define QUORVANE_HOST_FILES_TRACE_FILE_H

#include <string>

#include "atomic_output_file.h"
#include "world/sim_vessel.h"

namespace host {

class TraceFile {
public:
    // Starts the file with its header row.
    bool Open(const std::string &path, std::string *error);
    void Sample(double time, const SimVessel &v);
    bool Commit(std::string *error) { return out_.Commit(error); }
    void Abandon() { out_.Abandon(); }

    static const char kHeader[];

private:
    AtomicOutputFile out_;
    std::string row_;  // reused
};

}  // namespace host

#endif
