// The stack's scenario line: "DPLY" and its deployment state, after the
// host's own lines of the vessel.
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "frame/scenario_key.h"
#include "stack_vessel.h"

namespace {

// Reads a decimal integer as "%d" does (white space skipped, optional sign);
// without one the value keeps what it held. A number beyond the range of int
// is held at the nearest end, so it stays a state other than 0 and 1 instead
// of wrapping round (4294967297 would otherwise read as 1).
void ReadInteger(const char *text, int &value) {
    char *end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text) return;
    value = n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
}

}  // namespace

void StackVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    char value[256];
    std::snprintf(value, sizeof value, "%d", deployState);
    oapiWriteScenario_string(scn, const_cast<char *>("DPLY"), value);
}

void StackVessel::clbkLoadStateEx(FILEHANDLE scn, void *status) {
    char *line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) {
        if (frame::HasScenarioKey(line, "DPLY")) {
            ReadInteger(line + 4, deployState);
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
}
