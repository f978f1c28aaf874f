// The module entry points and the attach routine, through real loaded modules.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/host_fixture.h"
#include "world/host_log.h"
#include "world/module_library.h"

using testing_support::BuildRoot;
using testing_support::HostTest;
using testing_support::IsLoaded;
using testing_support::TestModules;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

std::string ModulePath(const std::string &name) { return BuildRoot() + "/Modules/" + name + ".so"; }
std::string ProbePath(const std::string &name) { return TestModules() + "/" + name + ".so"; }

std::shared_ptr<host::ModuleLibrary> Load(const std::string &path) {
    std::string error;
    auto lib = host::ModuleLibrary::Load(path, &error);
    EXPECT_NE(lib, nullptr) << error;
    return lib;
}

size_t CountLogLines(const std::string &text) {
    size_t n = 0;
    for (const std::string &l : host::HostLog::Instance().Lines())
        if (l.find(text) != std::string::npos) ++n;
    return n;
}

using ModuleEntry = HostTest;

TEST_F(ModuleEntry, VersionIsTheInterfaceDateAndIsComputedOnce) {
    auto lib = Load(ModulePath("quorvane_odd"));
    // Loading already asked for the version once (the host logs it).
    const int first = lib->Version();
    const int second = lib->Version();
    EXPECT_EQ(first, 160828);  // Date2Int("Aug 28 2016")
    EXPECT_EQ(second, first);
    EXPECT_EQ(sim->Journal()->Matching("Date2Int"), std::vector<std::string>{"Date2Int(\"Aug 28 2016\")"});
}

TEST_F(ModuleEntry, EveryModuleOfABuildReportsOneBuildDate) {
    auto odd = Load(ModulePath("quorvane_odd"));
    auto even = Load(ModulePath("quorvane_even"));
    auto stack = Load(ModulePath("quorvane_stack"));
    const std::string date = odd->Date();
    EXPECT_TRUE(std::regex_match(date, std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] [0-9]{4}")))
        << date;
    EXPECT_EQ(std::string(even->Date()), date);
    EXPECT_EQ(std::string(stack->Date()), date);
}

TEST_F(ModuleEntry, LoadingLogsTheModuleWithItsBuildDateAndVersion) {
    host::HostLog::Instance().Clear();
    auto lib = Load(ModulePath("quorvane_stack"));
    const std::string expected = "Module quorvane_stack.so [Build " + std::string(lib->Date()) + ", API 160828]";
    EXPECT_THAT(host::HostLog::Instance().Lines(), Contains(expected));
}

TEST_F(ModuleEntry, ExitWithNullTouchesNothing) {
    auto lib = Load(ModulePath("quorvane_odd"));
    const size_t before = JournalSize();
    lib->Exit(nullptr);
    EXPECT_EQ(JournalSize(), before);
}

TEST_F(ModuleEntry, TwoVesselsOfOneModuleAreIndependentObjects) {
    host::SimVessel &a = Create("A", "quorvane_odd");
    host::SimVessel &b = Create("B", "quorvane_odd");
    EXPECT_NE(a.Interface(), b.Interface());
    // Each defined itself on its own vessel.
    EXPECT_EQ(a.meshes.size(), 1u);
    EXPECT_EQ(b.meshes.size(), 1u);
    sim->DestroyVessel(&a);
    EXPECT_EQ(b.meshes.size(), 1u);
    EXPECT_EQ(b.Interface()->Version(), 2);
}

TEST_F(ModuleEntry, ModuleIsUnloadedWithItsLastVessel) {
    const std::string path = ModulePath("quorvane_stack");
    host::SimVessel &a = Create("S1", "quorvane_stack");
    host::SimVessel &b = Create("S2", "quorvane_stack");
    EXPECT_TRUE(IsLoaded(path));
    sim->DestroyVessel(&a);
    EXPECT_TRUE(IsLoaded(path));
    sim->DestroyVessel(&b);
    EXPECT_FALSE(IsLoaded(path));
}

// ---- attach routine ----

struct ExitCase {
    const char *probe;
    const char *expectedCall;  // null: the module exports no exit routine
};

class AttachRoutine : public ::testing::TestWithParam<ExitCase> {};

TEST_P(AttachRoutine, DetachCallsTheExitRoutineFoundAtAttach) {
    const ExitCase c = GetParam();
    host::HostLog::Instance().Clear();
    {
        auto lib = Load(ProbePath(c.probe));
        ASSERT_NE(lib, nullptr);
        EXPECT_EQ(CountLogLines("Module " + std::string(c.probe) + ".so [Build "), 1u);
        EXPECT_EQ(CountLogLines(std::string(c.probe) + ": "), 0u) << "nothing runs before detach";
    }  // unloads: the detach notification
    if (c.expectedCall == nullptr) {
        EXPECT_EQ(CountLogLines(std::string(c.probe) + ": "), 0u);
    } else {
        EXPECT_EQ(CountLogLines(std::string(c.probe) + ": " + c.expectedCall), 1u);
        EXPECT_EQ(CountLogLines(std::string(c.probe) + ": "), 1u) << "one routine, called once";
    }
}

INSTANTIATE_TEST_SUITE_P(Probes, AttachRoutine,
                         ::testing::Values(ExitCase{"probe_plain", nullptr},
                                           ExitCase{"probe_exit_module", "ExitModule called"},
                                           ExitCase{"probe_opc_dll_exit", "opcDLLExit called"},
                                           ExitCase{"probe_both_exits", "ExitModule called"}),
                         [](const auto &info) { return std::string(info.param.probe); });

TEST(AttachRoutineReasons, EveryReasonReportsSuccessAndOnlyAttachAndDetachAct) {
    host::HostLog::Instance().Clear();
    auto lib = Load(ProbePath("probe_exit_module"));
    ASSERT_NE(lib, nullptr);
    auto routine = reinterpret_cast<int (*)(HINSTANCE, DWORD)>(dlsym(lib->Handle(), "ProbeAttachRoutine"));
    ASSERT_NE(routine, nullptr);
    const size_t linesAfterLoad = host::HostLog::Instance().Lines().size();

    EXPECT_EQ(routine(lib->Handle(), 2), 1);  // thread attach
    EXPECT_EQ(routine(lib->Handle(), 3), 1);  // thread detach
    EXPECT_EQ(routine(lib->Handle(), 7), 1);  // unknown reason
    EXPECT_EQ(host::HostLog::Instance().Lines().size(), linesAfterLoad) << "thread notifications change nothing";

    EXPECT_EQ(routine(lib->Handle(), 0), 1);  // process detach
    EXPECT_EQ(CountLogLines("probe_exit_module: ExitModule called"), 1u);

    EXPECT_EQ(routine(lib->Handle(), 1), 1);  // process attach: InitLib again
    EXPECT_EQ(CountLogLines("Module probe_exit_module.so [Build "), 2u);
}

}  // namespace
