// The host's own lines of a vessel block in a scenario: reading them into a
// pending status, and writing a vessel's state as the simulator writes it.
#ifndef QUORVANE_HOST_WORLD_VESSEL_STATUS_LINES_H
#define QUORVANE_HOST_WORLD_VESSEL_STATUS_LINES_H

#include <string>

#include "scenario_stream.h"

namespace host {

class SimVessel;
struct PendingStatus;

enum class HostLineResult {
    Taken,      // a host line, read into the status
    Ignored,    // a line of the simulator's that this host does not model
    Unknown,    // not a host line
    Malformed,  // a host key with a value that cannot be read
};

HostLineResult ParseHostLine(const char *line, PendingStatus &status, std::string *problem);
void WriteHostLines(const SimVessel &v, ScenarioBlockWriter &out);

}  // namespace host

#endif
