#include "progress_display.h"

namespace host {

namespace {
const std::chrono::milliseconds kInterval(200);  // between redraws
}

ProgressDisplay::ProgressDisplay(bool enabled, std::FILE *out)
    : enabled_(enabled && out != nullptr), out_(out), start_(Clock::now()), last_(start_) {}

void ProgressDisplay::Update(double simTime, double until) {
    if (!enabled_) return;
    const Clock::time_point now = Clock::now();
    if (now - last_ < kInterval) return;
    last_ = now;
    const double wall = std::chrono::duration<double>(now - start_).count();
    std::fprintf(out_, "\r  t = %.1f s of %.1f s   x%.0f real time \033[K", simTime, until,
                 wall > 0 ? simTime / wall : 0.0);
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
