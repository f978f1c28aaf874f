// A satellite's step while it holds nadir: through the host (the real module,
// its host calls and the host's state), and the same arithmetic alone as a
// plain function, the floor that the step through the host is measured against.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/installation.h"
#include "world/scenario_stream.h"
#include "world/simulation.h"

namespace {

const double kStep = 0.1;  // [s]

// A satellite in a 500 km circular orbit, activated: array deployed, nadir hold on.
const std::vector<host::ScenarioLine> kActivatedSatellite = {
    {1, "STATUS Orbiting Earth"}, {2, "RPOS 0 6871000 0"}, {3, "RVEL 0 0 7616.5"},
    {4, "SOLP 2 1.0"},            {5, "DPLY 1 2 2000.1"},
};

void SatelliteStepThroughHost(benchmark::State &state) {
    host::Simulation sim;
    sim.SetClassResolver(host::Installation(QUORVANE_BUILD_ROOT).Resolver());
    host::ScenarioBlockReader block("bench.scn", kActivatedSatellite);
    std::string error;
    host::SimVessel *sat = sim.CreateVessel("Q1", "quorvane_odd", &block, &error);
    if (sat == nullptr || !sim.FinishCreation(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    VESSEL2 *callbacks = sat->Callbacks();
    double t = 0;
    for (auto _ : state) {
        callbacks->clbkPreStep(t, kStep, 51544.5);
        t += kStep;
        benchmark::DoNotOptimize(sat->Attitude());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SatelliteStepThroughHost);

// ---- the floor: the step's arithmetic on plain data ----

struct Vec {
    double x, y, z;
};
Vec Cross(const Vec &a, const Vec &b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec Unit(const Vec &a) {
    const double len = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return {a.x / len, a.y / len, a.z / len};
}
Vec Negated(const Vec &a) { return {-a.x, -a.y, -a.z}; }

struct PlainSatellite {
    Vec rpos, bodyGlobalPos;  // [m]
    Vec arot, vrot;           // [rad], [rad/s]
    unsigned navmodes;        // bit n: mode n on
    int releaseState, arrayState, nadirHold;
    double releaseTime, arrayProc, animation;
};

// The same stages as the module's step, without the host between them.
void NadirStepFloor(PlainSatellite &v, double dt) {
    if (v.releaseState == 1) {
        v.releaseTime += dt;
        if (v.releaseTime > 2000.0) {
            v.releaseState = 2;
            v.arrayState = 1;
            v.nadirHold = 1;
        }
    }
    bool served = false;
    for (int mode : {1, 3, 4, 5, 6}) {
        if (v.navmodes & (1u << mode)) {
            v.nadirHold = 0;
            served = true;
            break;
        }
    }
    if (!served && v.nadirHold == 1) {
        const Vec g = {v.bodyGlobalPos.x + v.rpos.x, v.bodyGlobalPos.y + v.rpos.y, v.bodyGlobalPos.z + v.rpos.z};
        const Vec s = Unit(Negated(g));
        const Vec r = Unit(v.rpos);
        const Vec m = Unit(Cross(s, r));
        const Vec x = Negated(Unit(Cross(m, r)));
        const double alpha = std::atan2(m.y, m.z);
        const double beta = std::asin(m.x) * -1.0;
        const double gamma = 1.5707963267948966 - std::atan2(x.x, r.x);
        if (std::isfinite(alpha) && std::isfinite(beta) && std::isfinite(gamma)) {
            v.arot = {alpha, beta, gamma};
            v.vrot = {0, 0, 0};
        }
    }
    if (v.arrayState == 1) {
        v.arrayProc += dt * 0.05;
        if (v.arrayProc > 1.0) {
            v.arrayProc = 1.0;
            v.arrayState = 2;
        }
    } else if (v.arrayState == 2) {
        v.arrayProc = 1.0;
    } else if (v.arrayState == 0) {
        v.arrayProc = 0.0;
    }
    v.animation = v.arrayProc;
}

void SatelliteStepFloor(benchmark::State &state) {
    PlainSatellite v{{0, 6871000, 0}, {1.496e11, 0, 0}, {0, 0, 0}, {0, 0, 0}, 0, 2, 2, 1, 2000.1, 1.0, 1.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(v.rpos);  // as if the host had moved it
        NadirStepFloor(v, kStep);
        benchmark::DoNotOptimize(v.arot);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SatelliteStepFloor);

}  // namespace

BENCHMARK_MAIN();
