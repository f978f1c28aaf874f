#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace host {

namespace {

std::string ToChars(double value, int precision) {
    char buf[512];
    std::to_chars_result r = precision < 0 ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                                           : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    if (r.ec != std::errc()) {
        // Only absurd magnitudes get here; fall back to scientific notation.
        r = std::to_chars(buf, buf + sizeof buf, value);
    }
    return std::string(buf, r.ptr);
}

double Reparse(const std::string &text) { return std::strtod(text.c_str(), nullptr); }

}  // namespace

std::string FormatExact(double value, int minDecimals) {
    if (!std::isfinite(value)) return ToChars(value, -1);
    std::string text = ToChars(value, minDecimals);
    if (Reparse(text) == value) return text;
    text = ToChars(value, -1);  // shortest fixed-point text that reads back exactly
    // Tiny values such as rounding residue would run to dozens of zeros in
    // fixed point; an exponent says the same in fewer characters, and every
    // reader of these files (formatted input) takes it.
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    if (r.ec == std::errc() && static_cast<size_t>(r.ptr - buf) + 4 < text.size()) return std::string(buf, r.ptr);
    return text;
}

std::string FormatScaledExact(double value, double scale, int minDecimals) {
    const double guess = value / scale;
    if (!std::isfinite(guess)) return FormatExact(guess, minDecimals);
    // Several neighbours may scale to the value (29.999999999999996 and 30
    // degrees are the same radian double): the shortest text wins, the one
    // nearest the guess among equals.
    std::string best;
    double up = guess, down = guess;
    for (int step = 0; step <= 8; ++step) {
        for (double candidate : {up, down}) {
            if (candidate * scale != value) continue;
            std::string text = FormatExact(candidate, minDecimals);
            if (best.empty() || text.size() < best.size()) best = std::move(text);
        }
        up = std::nextafter(up, std::numeric_limits<double>::infinity());
        down = std::nextafter(down, -std::numeric_limits<double>::infinity());
    }
    return best.empty() ? FormatExact(guess, minDecimals) : best;
}

bool ParseDouble(const std::string &token, double &value) {
    if (token.empty()) return false;
    char *end = nullptr;
    const double v = std::strtod(token.c_str(), &end);
    if (end != token.c_str() + token.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseInt(const std::string &token, int &value) {
    if (token.empty()) return false;
    char *end = nullptr;
    const long v = std::strtol(token.c_str(), &end, 10);
    if (end != token.c_str() + token.size() || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

double RoundSeconds(double seconds) { return std::max(0.0, std::round(seconds * 1e9) / 1e9); }

std::string FormatSeconds(double seconds) { return FormatExact(RoundSeconds(seconds), 0); }

}  // namespace host
