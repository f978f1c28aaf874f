#include "host_fixture.h"

#include <dlfcn.h>

#include "world/scenario_stream.h"

namespace testing_support {

std::string BuildRoot() { return QUORVANE_BUILD_ROOT; }
std::string TestModules() { return QUORVANE_TEST_MODULES; }

void HostTest::SetUp() {
    sim = std::make_unique<host::Simulation>();
    sim->SetClassResolver(host::Installation(BuildRoot()).Resolver());
    sim->EnableJournal(true);
}

void HostTest::TearDown() { sim.reset(); }

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

bool IsLoaded(const std::string &path) {
    void *h = dlopen(path.c_str(), RTLD_NOLOAD | RTLD_LAZY);
    if (h == nullptr) return false;
    dlclose(h);
    return true;
}

}  // namespace testing_support
