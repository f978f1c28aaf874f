// A simulation bound to the build tree, with the call journal on, for tests
// that drive the real modules through the host.
#ifndef QUORVANE_TESTS_SUPPORT_HOST_FIXTURE_H
#define QUORVANE_TESTS_SUPPORT_HOST_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/installation.h"
#include "world/simulation.h"

namespace testing_support {

// The build tree, laid out like an installation.
std::string BuildRoot();
// Where the test-only modules are built.
std::string TestModules();

// A fresh temporary directory made the current one for the object's life;
// removed with everything in it afterwards.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory &) = delete;
    ScratchDirectory &operator=(const ScratchDirectory &) = delete;
    const std::string &Path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// Runs in a scratch directory of its own: modules write files (the sound log)
// into the current directory, and tests run in parallel.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates a vessel (with a scenario block of lines when given); fails the test on error.
    host::SimVessel &Create(const std::string &name, const std::string &className,
                            const std::vector<std::string> &blockLines = {}, bool withBlock = false);
    // The journal's calls of one vessel, from the index given on.
    std::vector<std::string> CallsOf(const std::string &vessel, size_t from = 0) const;
    size_t JournalSize() const { return sim->Journal()->Entries().size(); }

    std::unique_ptr<ScratchDirectory> scratch;
    std::unique_ptr<host::Simulation> sim;
};

// True when a library is loaded in the process (by its path or soname).
bool IsLoaded(const std::string &path);

}  // namespace testing_support

#endif
