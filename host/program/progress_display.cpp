#include "progress_display.h"

namespace host {

namespace {
const std::chrono::milliseconds kInterval(200);  // between redraws
}

ProgressDisplay::ProgressDisplay(bool enabled, std::FILE *out)
    : enabled_(enabled && out != nullptr), out_(out), start_(Clock::now()), last_(start_) {}

bool ProgressDisplay::Due() const { return enabled_ && Clock::now() - last_ >= kInterval; }

void ProgressDisplay::Show(double simTime, double until, const std::string &note) {
    if (!enabled_) return;
    last_ = Clock::now();
    const double wall = std::chrono::duration<double>(last_ - start_).count();
    const double speed = wall > 0 ? simTime / wall : 0.0;
    if (note.empty()) {
        std::fprintf(out_, "\r  t = %.1f s of %.1f s   x%.0f real time \033[K", simTime, until, speed);
    } else {
        std::fprintf(out_, "\r  t = %.1f s   %s   x%.0f real time \033[K", simTime, note.c_str(), speed);
    }
    std::fflush(out_);
    shown_ = true;
}

void ProgressDisplay::Finish() {
    if (!shown_) return;
    std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
    shown_ = false;
}

}  // namespace host
