// Whole deployments through the host: the main job end to end, and the same
// scenario with several stacks of 60 satellites, each on its own launch
// vehicle, to see how the cost of a vessel's step holds as the world grows.
// The program counts the memory allocated through operator new, for the peak
// per vessel.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "program/command_line.h"
#include "program/scenario_run.h"

// ---- memory: every operator new and delete of the process, counted ----

namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void *Allocate(std::size_t size) {
    void *p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) return nullptr;
    const long long now = liveBytes += static_cast<long long>(malloc_usable_size(p));
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Release(void *p) {
    if (p == nullptr) return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void *operator new(std::size_t size) {
    if (void *p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    if (void *p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return Allocate(size); }
void operator delete(void *p) noexcept { Release(p); }
void operator delete[](void *p) noexcept { Release(p); }
void operator delete(void *p, std::size_t) noexcept { Release(p); }
void operator delete[](void *p, std::size_t) noexcept { Release(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { Release(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { Release(p); }

namespace {

const double kStep = 0.1;           // the main job's step [s]
const double kLastArrayOut = 2030.1;  // the reference deployment's end at that step [s]

// Counts the vessels stepped.
class VesselStepCounter : public host::StepObserver {
public:
    void PreStepsDone(const host::Simulation &sim, unsigned long long, double, double) override {
        count += static_cast<double>(sim.Vessels().size());
    }
    double count = 0;
};

host::RunOptions Options(const std::string &scenario) {
    host::RunOptions o;
    o.scenario = scenario;
    o.root = QUORVANE_BUILD_ROOT;
    o.dt = kStep;
    o.quiet = true;
    return o;
}

void SetCounters(benchmark::State &state, double vesselSteps) {
    state.counters["vessel_steps_per_s"] = benchmark::Counter(vesselSteps, benchmark::Counter::kIsRate);
    state.counters["time_per_vessel_step"] =
        benchmark::Counter(vesselSteps, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The main job as quorvane-sim runs it: loading, then steps with the report's
// watch until every array is out (the final save left out).
void ReferenceDeployment(benchmark::State &state) {
    double vesselSteps = 0;
    for (auto _ : state) {
        host::RunOptions options = Options(host::kReferenceScenario);
        options.report = true;
        host::ScenarioRun run(options, host::ScenarioRun::Observer{});
        VesselStepCounter counter;
        run.Sim().AddObserver(&counter);
        std::string error;
        if (!run.Load(&error) || !run.Run(&error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        vesselSteps += counter.count;
        run.Sim().RemoveObserver(&counter);
    }
    SetCounters(state, vesselSteps);
}
BENCHMARK(ReferenceDeployment)->Unit(benchmark::kMillisecond);

// The reference deployment with n stacks, one on each launch vehicle, the
// vehicles spread evenly along the same orbit, nose forward; each lets go of
// its stack at 10 s.
std::string ManyStacks(int n) {
    const double kDegree = 0.017453292519943295;
    const double r = 6921000, v = 7588.9984;  // [m], [m/s]
    std::string text = "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 58849.5\nEND_ENVIRONMENT\nBEGIN_SHIPS\n";
    std::string events = "BEGIN_QUORVANE_EVENTS\n";
    char line[256];
    for (int k = 0; k < n; ++k) {
        const double theta = 360.0 / n * k;  // [deg]
        const double c = std::cos(theta * kDegree), s = std::sin(theta * kDegree);
        std::snprintf(line, sizeof line,
                      "L%03d:quorvane_launcher\n  STATUS Orbiting Earth\n  RPOS 0 %.3f %.3f\n  RVEL 0 %.4f %.4f\n"
                      "  AROT %.6f 0 0\nEND\nS%03d:quorvane_stack\n  STATUS Orbiting Earth\n  ATTACHED 0:0,L%03d\n"
                      "  DPLY 0\nEND\n",
                      k, r * c, r * s, -v * s, v * c, -theta, k, k);
        text += line;
        for (int i = 0; i < 60; ++i) {
            std::snprintf(line, sizeof line,
                          "Q%03d-%02d:quorvane_%s\n  STATUS Orbiting Earth\n  ATTACHED 0:%d,S%03d\n  PRPLEVEL 0:1\n"
                          "  SOLP 0 0\n  DPLY 0 0 0\nEND\n",
                          k, i, i % 2 == 0 ? "odd" : "even", i, k);
            text += line;
        }
        std::snprintf(line, sizeof line, "  10 detach L%03d 0 0.5\n", k);
        events += line;
    }
    return text + "END_SHIPS\n" + events + "END_QUORVANE_EVENTS\n";
}

// Steps only (loading and unloading are left out), to the step in which the
// last array is out, with no observer but the counter.
void Deployment(benchmark::State &state) {
    const int stacks = static_cast<int>(state.range(0));
    const std::string path =
        (std::filesystem::temp_directory_path() / ("quorvane_bench_" + std::to_string(stacks) + "_stacks.scn")).string();
    std::ofstream(path) << ManyStacks(stacks);
    double vesselSteps = 0, bytesPerVessel = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const long long before = liveBytes.load();
        peakBytes = before;
        host::RunOptions options = Options(path);
        options.hasUntil = true;
        options.until = kLastArrayOut;
        auto run = std::make_unique<host::ScenarioRun>(options, host::ScenarioRun::Observer{});
        VesselStepCounter counter;
        run->Sim().AddObserver(&counter);
        std::string error;
        if (!run->Load(&error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        const double vessels = static_cast<double>(run->Sim().Vessels().size());
        state.ResumeTiming();
        const bool ran = run->Run(&error);
        state.PauseTiming();
        if (!ran) {
            state.SkipWithError(error.c_str());
            break;
        }
        vesselSteps += counter.count;
        bytesPerVessel = static_cast<double>(peakBytes.load() - before) / vessels;
        run.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    SetCounters(state, vesselSteps);
    state.counters["peak_bytes_per_vessel"] = bytesPerVessel;
}
BENCHMARK(Deployment)->ArgName("stacks")->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
