#include "scenario_run.h"

#include <sys/stat.h>

#include <cmath>

#include "files/atomic_output_file.h"
#include "files/installation.h"
#include "files/scenario_world.h"
#include "world/host_log.h"

namespace host {

namespace {

bool IsFile(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string &path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A plugin named relative to the working folder or the installation tree.
std::string FindPlugin(const std::string &name, const std::string &root) {
    const std::string path = NormalisePath(name);
    if (path.empty() || path[0] == '/' || IsFile(path)) return path;
    const std::string inTree = root + "/" + path;
    return IsFile(inTree) ? inTree : path;
}

// Steps shorter than this fraction of themselves are rounding, not time.
const double kClockTolerance = 1e-6;

}  // namespace

std::string FindScenario(const std::string &name, const std::string &root) {
    const std::string path = NormalisePath(name);
    if (IsFile(path)) return path;
    if (path.empty() || path[0] == '/') return "";
    const std::string base = root + "/Scenarios/" + path;
    if (IsFile(base)) return base;
    if (IsFile(base + ".scn")) return base + ".scn";
    return "";
}

ScenarioRun::ScenarioRun(RunOptions options, Observer observer)
    : options_(std::move(options)), observer_(std::move(observer)), sim_(std::make_unique<Simulation>()) {}

ScenarioRun::~ScenarioRun() {
    // The vessels go before the plugins and modules they use.
    watch_.reset();
    player_.reset();
    sim_.reset();
}

bool ScenarioRun::Load(std::string *error) {
    auto fail = [&](const std::string &message) {
        if (error != nullptr) *error = message;
        ReportWarnings();
        return false;
    };
    const std::string root = options_.root.empty() ? Installation::ProgramRoot() : options_.root;
    if (!IsFolder(root)) return fail("--root: no folder '" + root + "'");
    sim_->SetClassResolver(Installation(root).Resolver());

    for (const std::string &plugin : options_.plugins) {
        std::string why;
        if (!sim_->LoadPlugin(FindPlugin(plugin, root), &why)) return fail("--plugin: " + why);
    }

    const std::string path = FindScenario(options_.scenario, root);
    if (path.empty()) return fail(options_.scenario + ": no such scenario file");
    std::string why;
    scenario_ = ScenarioFile::Load(path, &why);
    if (!scenario_) return fail(why);

    std::vector<ScriptEvent> events;
    if (!LoadEvents(events, error)) return false;
    if (!CheckOutputs(events, error)) return false;

    sim_->SeedRand(options_.seed);
    if (!CreateScenarioVessels(*scenario_, *sim_, &why)) return fail(why);
    player_ = std::make_unique<EventPlayer>(
        *sim_, std::move(events), [this](const std::string &file, std::string *e) { return SaveScenario(file, e); });
    if (!player_->CheckVessels(&why)) return fail(why);

    until_ = options_.hasUntil ? options_.until : player_->LastTime();
    if (options_.report) {
        watch_ = std::make_unique<DeploymentWatch>(*sim_);
        if (!options_.hasUntil) until_ += DeploymentWatch::kLongestWait;
    }
    tolerance_ = options_.dt * kClockTolerance;
    if (!options_.trace.empty()) {
        if (!trace_.Open(options_.trace, &why)) return fail("--trace: " + why);
        tracing_ = true;
    }
    SampleTrace();
    ReportWarnings();
    return true;
}

bool ScenarioRun::LoadEvents(std::vector<ScriptEvent> &events, std::string *error) const {
    if (!ParseEventLines(scenario_->EventLines(), scenario_->Path(), EventFiles::WorkingFolderOnly, &events, error))
        return false;
    for (const std::string &file : options_.eventFiles)
        if (!LoadEventFile(file, &events, error)) return false;
    for (size_t i = 0; i < options_.events.size(); ++i) {
        ScriptEvent e;
        if (!ParseEvent(options_.events[i], "--event " + std::to_string(i + 1), EventFiles::Anywhere, &e, error))
            return false;
        events.push_back(std::move(e));
    }
    return true;
}

bool ScenarioRun::CheckOutputs(const std::vector<ScriptEvent> &events, std::string *error) const {
    std::string why;
    if (!options_.save.empty() && !CheckWritable(options_.save, &why)) {
        if (error != nullptr) *error = "--save: " + why;
        return false;
    }
    if (!options_.log.empty() && !CheckWritable(options_.log, &why)) {
        if (error != nullptr) *error = "--log: " + why;
        return false;
    }
    if (!options_.trace.empty() && !CheckWritable(options_.trace, &why)) {
        if (error != nullptr) *error = "--trace: " + why;
        return false;
    }
    for (const ScriptEvent &e : events) {
        if ((e.action == EventAction::Save || e.action == EventAction::Hud) && !CheckWritable(e.file, &why)) {
            if (error != nullptr) *error = e.source + ": " + why;
            return false;
        }
    }
    return true;
}

bool ScenarioRun::Run(std::string *error) {
    auto fail = [&](const std::string &message) {
        if (error != nullptr && !message.empty()) *error = message;
        trace_.Abandon();
        ReportWarnings();
        return false;
    };
    std::string why;
    while (sim_->SimTime() < until_ - tolerance_ && !Finished())
        if (!Frame(&why)) return fail(why);
    if (!player_->ApplyDue(sim_->SimTime(), tolerance_, &why)) return fail(why);
    written_.insert(written_.end(), player_->Written().begin(), player_->Written().end());
    if (!options_.save.empty()) {
        if (!SaveScenario(options_.save, &why)) return fail("--save: " + why);
        written_.push_back(options_.save);
    }
    if (tracing_) {
        if (!trace_.Commit(&why)) return fail("--trace: " + why);
        written_.push_back(options_.trace);
    }
    ReportWarnings();
    return true;
}

bool ScenarioRun::Frame(std::string *error) {
    const double t = sim_->SimTime();
    if (!player_->ApplyDue(t, tolerance_, error)) return false;
    player_->DeliverDirectKeys();
    sim_->Step(options_.dt);
    if (!(sim_->SimTime() > t)) {
        if (error != nullptr)
            *error = "--dt: a step of " + std::to_string(options_.dt) + " s no longer advances the clock at t = " +
                     std::to_string(t) + " s";
        return false;
    }
    SampleTrace();
    ReportWarnings();
    if (observer_.step) observer_.step(sim_->SimTime(), until_);
    return true;
}

bool ScenarioRun::Finished() const {
    // Events due now are applied after the last frame, before the final save.
    return watch_ != nullptr && !options_.hasUntil && player_->LastTime() <= sim_->SimTime() + tolerance_ &&
           watch_->AllDeployed();
}

void ScenarioRun::SampleTrace() {
    if (!tracing_) return;
    const double t = sim_->SimTime();
    if (t < nextSample_ - tolerance_) return;
    for (const auto &v : sim_->Vessels()) trace_.Sample(t, *v);
    // The next multiple of the interval, counted from the start so that samples do not drift.
    if (options_.hasTraceEvery) nextSample_ = (std::floor((t + tolerance_) / options_.traceEvery) + 1) * options_.traceEvery;
}

bool ScenarioRun::SaveScenario(const std::string &file, std::string *error) {
    ScenarioFile::Snapshot snapshot = TakeSnapshot(*sim_);
    snapshot.events = player_->PendingLines(sim_->SimTime());
    return WriteFileAtomically(file, scenario_->Render(snapshot), error);
}

bool ScenarioRun::WriteLog(std::string *error) const {
    if (options_.log.empty()) return true;
    std::string text;
    for (const std::string &line : HostLog::Instance().Lines()) text += line + "\n";
    if (WriteFileAtomically(options_.log, text, error)) return true;
    if (error != nullptr) *error = "--log: " + *error;
    return false;
}

void ScenarioRun::ReportWarnings() {
    const std::vector<std::string> &warnings = sim_->Warnings();
    for (; warningsShown_ < warnings.size(); ++warningsShown_)
        if (observer_.warning) observer_.warning(warnings[warningsShown_]);
}

}  // namespace host
