// Output files appear whole or not at all.
#include "files/atomic_output_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/install_tree.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class AtomicOutput : public ::testing::Test {
protected:
    testing_support::InstallTree dir;  // used as a plain folder
};

TEST_F(AtomicOutput, ACommittedFileReplacesTheOldOneWhole) {
    dir.WriteFile("out.txt", "old");
    host::AtomicOutputFile out;
    std::string error;
    ASSERT_TRUE(out.Open(dir.Path("out.txt"), &error)) << error;
    out.Write("new ");
    EXPECT_EQ(dir.ReadFile("out.txt"), "old") << "nothing shows before the commit";
    out.Write("text");
    ASSERT_TRUE(out.Commit(&error)) << error;
    EXPECT_EQ(dir.ReadFile("out.txt"), "new text");
    EXPECT_THAT(dir.List(), ElementsAre("Config", "Modules", "out.txt")) << "no temporary file is left";
}

TEST_F(AtomicOutput, AnAbandonedFileLeavesTheOldOneAndNoTrace) {
    dir.WriteFile("out.txt", "old");
    {
        host::AtomicOutputFile out;
        ASSERT_TRUE(out.Open(dir.Path("out.txt"), nullptr));
        out.Write("half a fi");
    }  // a run that fails drops its file
    EXPECT_EQ(dir.ReadFile("out.txt"), "old");
    EXPECT_THAT(dir.List(), ElementsAre("Config", "Modules", "out.txt"));
}

TEST_F(AtomicOutput, UnwritablePlacesAreNamedWithTheReason) {
    std::string error;
    EXPECT_FALSE(host::WriteFileAtomically(dir.Path("missing/out.txt"), "x", &error));
    EXPECT_EQ(error, "cannot write " + dir.Path("missing/out.txt") + ": No such file or directory");
    EXPECT_FALSE(host::CheckWritable(dir.Path("Config"), &error));
    EXPECT_THAT(error, HasSubstr("it is a folder"));
    EXPECT_FALSE(host::CheckWritable("", &error));
    EXPECT_TRUE(host::CheckWritable(dir.Path("fine.txt"), &error)) << error;
    EXPECT_FALSE(dir.Exists("fine.txt")) << "the check leaves nothing behind";
}

}  // namespace
