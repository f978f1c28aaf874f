// The satellite's scenario lines, after the host's own:
//   SOLP <arrayState> <arrayProc>
//   DPLY <nadirHold> <releaseState> <releaseTime>
// Keys match in any case on their first four characters; the value is read
// from the fifth character on. Every other line goes to the host.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frame/scenario_key.h"
#include "satellite_vessel.h"

namespace {

const size_t kTextSize = 256;  // value text buffer [bytes]

// The next field, read as the formatted-input conversions %d and %lf read it:
// white space skipped, the number taken, the scan moved past it. A field
// that holds no number is not read; the target keeps its value and the
// fields after it are not read either. So is a number its type cannot hold,
// where formatted input would leave the result undefined.
bool ReadField(const char *&text, int &target) {
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
    target = static_cast<int>(value);
    text = end;
    return true;
}

bool ReadField(const char *&text, double &target) {
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text || (errno == ERANGE && std::isinf(value))) return false;
    target = value;
    text = end;
    return true;
}

// Reads the fields in order, up to the first that cannot be read.
template <typename... Targets>
void ReadFields(const char *text, Targets &...targets) {
    (void)(ReadField(text, targets) && ...);
}

// Formats the integers and the trailing double with four decimals. A double
// too large for that text to fit is written in full precision instead, which
// reads back the same: a cut-off number would read back as another value.
void FormatValue(char (&text)[kTextSize], int a, double d) {
    const int n = std::snprintf(text, kTextSize, "%d %0.4f", a, d);
    if (n < 0 || static_cast<size_t>(n) >= kTextSize) std::snprintf(text, kTextSize, "%d %.17g", a, d);
}

void FormatValue(char (&text)[kTextSize], int a, int b, double d) {
    const int n = std::snprintf(text, kTextSize, "%d %d %0.4f", a, b, d);
    if (n < 0 || static_cast<size_t>(n) >= kTextSize) std::snprintf(text, kTextSize, "%d %d %.17g", a, b, d);
}

}  // namespace

void SatelliteVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);  // the host's lines come first
    char text[kTextSize];
    FormatValue(text, arrayState, arrayProc);
    oapiWriteScenario_string(scn, const_cast<char *>("SOLP"), text);
    FormatValue(text, nadirHold, releaseState, releaseTime);
    oapiWriteScenario_string(scn, const_cast<char *>("DPLY"), text);
}

void SatelliteVessel::clbkLoadStateEx(FILEHANDLE scn, void *status) {
    char *line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) {
        if (frame::HasScenarioKey(line, "SOLP")) {
            ReadFields(line + 4, arrayState, arrayProc);
        } else if (frame::HasScenarioKey(line, "DPLY")) {
            ReadFields(line + 4, nadirHold, releaseState, releaseTime);
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
    // The array shows the loaded state before the first step.
    SetAnimation(arrayAnim, arrayProc);
}
