#include "deployment_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace host {

namespace {

std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char *format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// One event of several vessels: when it happened to the first and the last,
// and to how many it has not happened yet.
struct Named {
    const std::string &name;
    const StepMoment &moment;
};

std::string Span(const std::vector<Named> &items) {
    const Named *first = nullptr, *last = nullptr;
    size_t seen = 0, before = 0;
    for (const Named &n : items) {
        if (n.moment.beforeStart) ++before;
        if (!n.moment.seen) continue;
        ++seen;
        if (first == nullptr || n.moment.step < first->moment.step) first = &n;
        if (last == nullptr || n.moment.step >= last->moment.step) last = &n;
    }
    std::string text;
    if (first == nullptr) {
        text = before > 0 ? "before the start" : "not yet";
    } else if (first->moment.step == last->moment.step) {
        text = Format("t = %.3f s (step %llu)", first->moment.time, first->moment.step);
    } else {
        text = Format("t = %.3f s (%s) to t = %.3f s (%s)", first->moment.time, first->name.c_str(), last->moment.time,
                      last->name.c_str());
    }
    if (first != nullptr && before > 0) text += Format(", %zu before the start", before);
    const size_t open = items.size() - seen - before;
    if (open > 0 && (first != nullptr || before > 0)) text += Format(", %zu of %zu not yet", open, items.size());
    return text;
}

std::string Line(const std::string &label, const std::string &value) { return Format("  %-34s%s\n", label.c_str(), value.c_str()); }

std::string Count(size_t n, const char *one, const char *many) { return Format("%zu %s", n, n == 1 ? one : many); }

std::string Stacks(const DeploymentFigures &f, const std::string &speeds) {
    std::string out;
    const size_t n = f.stacks.size();
    std::vector<Named> letGo, release, removal;
    int freed = 0;
    for (const StackRecord &s : f.stacks) {
        letGo.push_back({s.name, s.letGo});
        release.push_back({s.name, s.release});
        removal.push_back({s.name, s.removal});
        freed += s.satellitesReleased;
    }
    const StackRecord &one = f.stacks.front();
    const std::string carrier = n == 1 && !one.carrier.empty() ? " by " + one.carrier : "";
    out += Line(n == 1 ? one.name + " let go" + carrier : Count(n, "stack", "stacks") + " let go", Span(letGo));
    out += Line(Format("%s set %s free", n == 1 ? one.name.c_str() : "Stacks", Count(static_cast<size_t>(freed), "satellite", "satellites").c_str()),
                Span(release));
    out += speeds;
    // The road: a stack goes at the end of the step after its release.
    std::string after;
    unsigned long long least = ~0ull, most = 0;
    for (const StackRecord &s : f.stacks) {
        if (!s.release.seen || !s.removal.seen) continue;
        least = std::min(least, s.removal.step - s.release.step);
        most = std::max(most, s.removal.step - s.release.step);
    }
    if (most > 0)
        after = least == 1 && most == 1 ? ", the step after the release"
                                        : Format(", %llu to %llu steps after the release", least, most);
    out += Line(n == 1 ? one.name + " removed" : "Stacks removed", Span(removal) + after);
    return out;
}

// Separation speeds of the satellites set free in this run.
std::string Speeds(const DeploymentFigures &f) {
    const SatelliteRecord *slowest = nullptr, *fastest = nullptr;
    for (size_t i : f.releaseOrder) {
        const SatelliteRecord &r = f.satellites[i];
        if (slowest == nullptr || r.separationSpeed < slowest->separationSpeed) slowest = &r;
        if (fastest == nullptr || r.separationSpeed > fastest->separationSpeed) fastest = &r;
    }
    if (slowest == nullptr) return "";
    return Line("  speeds relative to the stack", Format("%.4f m/s (%s) to %.4f m/s (%s)", slowest->separationSpeed,
                                                          slowest->name.c_str(), fastest->separationSpeed,
                                                          fastest->name.c_str()));
}

std::string Satellites(const DeploymentFigures &f) {
    std::string out;
    const std::vector<SatelliteRecord> &sats = f.satellites;
    std::vector<Named> activation, deployment;
    for (const SatelliteRecord &r : sats) {
        activation.push_back({r.name, r.activation});
        deployment.push_back({r.name, r.deployment});
    }
    out += Line("Arrays start to unfold", Span(activation));
    out += Line("Arrays fully out", Span(deployment));
    if (f.hasSpread) {
        const std::string &first = sats[f.releaseOrder.front()].name, &last = sats[f.releaseOrder.back()].name;
        out += Line("Spread at the end", Format("%.3f m from %s to %s", f.spread, first.c_str(), last.c_str()));
    }
    if (f.hasClosest)
        out += Line("Closest approach after release",
                    Format("%.4f m, %s and %s at t = %.3f s", f.closestDistance, sats[f.closestA].name.c_str(),
                           sats[f.closestB].name.c_str(), f.closestTime));
    out += Line("Largest nadir error",
                f.hasPointing ? Format("%.2g rad right after the pre-step, %.2g rad at the end of a step",
                                       f.nadirErrorAfterPreStep, f.nadirErrorAtStepEnd)
                              : std::string("none pointing yet"));
    return out;
}

}  // namespace

std::string DeploymentReport(const DeploymentFigures &f, const std::string &finalScenario) {
    std::string out = "Deployment report (t: seconds since the scenario's start; nadir error: the angle between a\n"
                      "satellite's body -y axis and the direction to the Earth's centre, from its activation on)\n";
    out += f.stacks.empty() ? Speeds(f) : Stacks(f, Speeds(f));
    if (f.satellites.empty()) {
        out += Line("Satellites", "none in the scenario");
    } else {
        out += Satellites(f);
    }
    out += Line("Final scenario", finalScenario.empty() ? std::string("not saved (--save FILE)") : finalScenario);
    return out;
}

std::string DeploymentProgress(const DeploymentWatch &watch) {
    return Format("%d of %d satellites free, %d deployed", watch.ReleasedCount(), watch.SatelliteCount(),
                  watch.DeployedCount());
}

}  // namespace host
