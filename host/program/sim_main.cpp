// quorvane-sim: runs an Orbiter scenario from the command line with the
// vessel modules of an installation tree; with no scenario, the reference
// deployment and its report. See --help.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "deployment_report.h"
#include "progress_display.h"
#include "scenario_run.h"

namespace {

const char kProgram[] = "quorvane-sim";

int Fail(const std::string &message, int status) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return status;
}

}  // namespace

int main(int argc, char **argv) {
    host::RunOptions options;
    std::string error;
    if (!host::ParseCommandLine(argc, argv, &options, &error)) return Fail(error, host::kExitUsage);
    if (options.help) {
        std::fputs(host::HelpText().c_str(), stdout);
        return host::kExitOk;
    }

    host::ProgressDisplay progress(!options.quiet && ::isatty(STDERR_FILENO) != 0, stderr);
    host::ScenarioRun::Observer observer;
    observer.warning = [&](const std::string &w) {
        progress.Finish();
        std::fprintf(stderr, "%s: warning: %s\n", kProgram, w.c_str());
    };
    host::ScenarioRun *current = nullptr;
    observer.step = [&](double t, double until) {
        if (!progress.Due()) return;
        const host::DeploymentWatch *watch = current->Watch();
        progress.Show(t, until, watch != nullptr ? host::DeploymentProgress(*watch) : std::string());
    };

    const auto start = std::chrono::steady_clock::now();
    host::ScenarioRun run(options, observer);
    current = &run;
    const bool ran = run.Load(&error) && run.Run(&error);
    progress.Finish();
    // The log tells what happened, also in a run that failed.
    std::string logError;
    const bool logged = run.WriteLog(&logError);
    if (!ran) return Fail(error, host::kExitFailure);
    if (!logged) return Fail(logError, host::kExitFailure);
    if (!options.quiet) {
        if (host::DeploymentWatch *watch = run.Watch())
            std::fputs(host::DeploymentReport(watch->Figures(), options.save).c_str(), stdout);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double t = run.Sim().SimTime();
        std::printf("%s: %llu steps of %g s to t = %.3f s (MJD %.6f) in %.2f s, x%.0f real time\n", kProgram,
                    static_cast<unsigned long long>(run.Sim().StepCount()), options.dt, t, run.Sim().Mjd(), wall,
                    wall > 0 ? t / wall : 0.0);
        for (const std::string &file : run.Written()) std::printf("%s: wrote %s\n", kProgram, file.c_str());
        if (!options.log.empty()) std::printf("%s: wrote %s\n", kProgram, options.log.c_str());
    }
    return host::kExitOk;
}
