#include "host_fixture.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>

#include "world/scenario_stream.h"

namespace testing_support {

namespace fs = std::filesystem;

std::string BuildRoot() { return QUORVANE_BUILD_ROOT; }
std::string TestModules() { return QUORVANE_TEST_MODULES; }

void HostTest::SetUp() {
    // A test may set up afresh: the old directory goes first, so the new one
    // returns to where the test started.
    sim.reset();
    scratch.reset();
    scratch = std::make_unique<ScratchDirectory>();
    sim = std::make_unique<host::Simulation>();
    sim->SetClassResolver(host::Installation(BuildRoot()).Resolver());
    sim->EnableJournal(true);
}

void HostTest::TearDown() {
    // The simulation unloads its modules and plug-ins; their folder goes last.
    sim.reset();
    scratch.reset();
}

host::SimVessel &HostTest::Create(const std::string &name, const std::string &className,
                                  const std::vector<std::string> &blockLines, bool withBlock) {
    std::string error;
    host::SimVessel *v = nullptr;
    if (withBlock || !blockLines.empty()) {
        std::vector<host::ScenarioLine> lines;
        int n = 0;
        for (const std::string &l : blockLines) lines.push_back({++n, l});
        host::ScenarioBlockReader block("test.scn", lines);
        v = sim->CreateVessel(name, className, &block, &error);
    } else {
        v = sim->CreateVessel(name, className, nullptr, &error);
    }
    if (v == nullptr) {
        ADD_FAILURE() << "cannot create " << name << ": " << error;
        throw std::runtime_error(error);
    }
    return *v;
}

std::vector<std::string> HostTest::CallsOf(const std::string &vessel, size_t from) const {
    std::vector<std::string> calls;
    const auto &entries = sim->Journal()->Entries();
    for (size_t i = from; i < entries.size(); ++i)
        if (entries[i].vessel == vessel) calls.push_back(entries[i].call);
    return calls;
}

ScratchDirectory::ScratchDirectory() {
    previous_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "quorvane-test-XXXXXX").string();
    if (mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("cannot make a scratch directory");
    path_ = pattern;
    fs::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

bool IsLoaded(const std::string &path) {
    void *h = dlopen(path.c_str(), RTLD_NOLOAD | RTLD_LAZY);
    if (h == nullptr) return false;
    dlclose(h);
    return true;
}

}  // namespace testing_support
