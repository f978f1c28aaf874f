// Vessel classes from an installation tree: class files, modules, and the
// errors a user sees for bad ones.
#include "files/installation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/config_file.h"
#include "support/host_fixture.h"

using ::testing::HasSubstr;

namespace {

namespace fs = std::filesystem;

class InstallationTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("quorvane-install-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root / "Config" / "Vessels");
        fs::create_directories(root / "Modules");
    }
    void TearDown() override { fs::remove_all(root); }
    void Write(const std::string &cls, const std::string &text) {
        std::ofstream(root / "Config" / "Vessels" / (cls + ".cfg")) << text;
    }
    std::string Error(const std::string &cls) {
        std::string error;
        EXPECT_EQ(host::Installation(root.string()).LoadClass(cls, &error), nullptr);
        return error;
    }
    fs::path root;
};

TEST_F(InstallationTree, AGenericClassTakesMassSizeAndAttachments) {
    Write("Carrier", "; a launch vehicle\nClassName = Carrier\nmass = 12000 ; kg\nSize = 20\n"
                     "BEGIN_ATTACHMENT\nC 0 0 10  0 0 1  0 1 0  K7\nP 0 0 -10 0 0 -1 0 1 0\nEND_ATTACHMENT\n");
    std::string error;
    auto cls = host::Installation(root.string()).LoadClass("Carrier", &error);
    ASSERT_NE(cls, nullptr) << error;
    EXPECT_TRUE(cls->modulePath.empty());
    EXPECT_EQ(cls->generic.mass, 12000);
    EXPECT_EQ(cls->generic.size, 20);
    ASSERT_EQ(cls->generic.attachments.size(), 2u);
    EXPECT_FALSE(cls->generic.attachments[0].toParent);
    EXPECT_EQ(cls->generic.attachments[0].id, "K7");
    EXPECT_EQ(cls->generic.attachments[0].pos.z, 10);
    EXPECT_TRUE(cls->generic.attachments[1].toParent);
}

TEST_F(InstallationTree, BadClassesAreNamedWithFileAndLine) {
    EXPECT_THAT(Error("Nothing"), HasSubstr("unknown vessel class Nothing"));
    EXPECT_THAT(Error("../etc/passwd"), HasSubstr("invalid vessel class name"));
    Write("BadMass", "ClassName = BadMass\nMass = heavy\n");
    EXPECT_THAT(Error("BadMass"), HasSubstr("BadMass.cfg:2: Mass must be a number"));
    Write("BadAttach", "BEGIN_ATTACHMENT\nC 0 0\nEND_ATTACHMENT\n");
    EXPECT_THAT(Error("BadAttach"), HasSubstr("BadAttach.cfg:2: attachment lines read"));
    Write("OpenAttach", "BEGIN_ATTACHMENT\nC 0 0 1 0 0 1 0 1 0\n");
    EXPECT_THAT(Error("OpenAttach"), HasSubstr("OpenAttach.cfg:1: BEGIN_ATTACHMENT without END_ATTACHMENT"));
    Write("Escape", "Module = ../../evil\n");
    EXPECT_THAT(Error("Escape"), HasSubstr("Escape.cfg:1: invalid module name"));
}

TEST_F(InstallationTree, AMissingModuleIsAClearErrorAndLeavesNothingBehind) {
    Write("Ghost", "ClassName = Ghost\nModule = ghost\n");
    host::Simulation sim;
    sim.SetClassResolver(host::Installation(root.string()).Resolver());
    std::string error;
    EXPECT_EQ(sim.CreateVessel("G", "Ghost", nullptr, &error), nullptr);
    EXPECT_THAT(error, HasSubstr("vessel class Ghost: cannot load module"));
    EXPECT_THAT(error, HasSubstr("Modules/ghost.so"));
    EXPECT_TRUE(sim.Vessels().empty());
}

TEST(ConfigFile, KeysIgnoreCaseAndTheFirstLineWins) {
    auto cfg = host::ConfigFile::FromText("x.cfg", "A = 1\n  a=2 ; later\n;B = 3\nModule=  m  \n");
    int line = 0;
    EXPECT_EQ(cfg->Get("a", &line).value(), "1");
    EXPECT_EQ(line, 1);
    EXPECT_FALSE(cfg->Get("B").has_value());
    EXPECT_EQ(cfg->Get("MODULE").value(), "m");
}

TEST(BuildTree, TheThreeClassesNameTheirModules) {
    host::Installation tree(testing_support::BuildRoot());
    for (const char *cls : {"quorvane_odd", "quorvane_even", "quorvane_stack"}) {
        std::string error;
        auto c = tree.LoadClass(cls, &error);
        ASSERT_NE(c, nullptr) << error;
        EXPECT_EQ(c->modulePath, testing_support::BuildRoot() + "/Modules/" + cls + ".so");
    }
}

}  // namespace
