// Numbers in the host's text files: fixed-point decimals that read back to
// exactly the double they were written from.
#ifndef QUORVANE_HOST_WORLD_NUMBER_TEXT_H
#define QUORVANE_HOST_WORLD_NUMBER_TEXT_H

#include <string>

namespace host {

// At least minDecimals decimals, more when needed to read back exactly; an
// exponent where it makes the text much shorter (tiny values).
std::string FormatExact(double value, int minDecimals);

// Text t with at least minDecimals decimals such that parse(t) * scale is
// exactly value, when one lies within a few units in the last place of
// value / scale; otherwise the nearest such text. Used where a file holds a
// scaled quantity (degrees for radians, a level for a mass) so that a load
// and a save give back the same file.
std::string FormatScaledExact(double value, double scale, int minDecimals);

// Strict parse of a whole token as a finite double; false on anything else.
bool ParseDouble(const std::string &token, double &value);
bool ParseInt(const std::string &token, int &value);

// A simulation time or duration as files show it: whole nanoseconds, so that
// the step clock's rounding (0.1 added ten times) does not leak into them;
// never below 0.
double RoundSeconds(double seconds);
// Rounded, with as few decimals as it needs ("12", "0.25").
std::string FormatSeconds(double seconds);

}  // namespace host

#endif
