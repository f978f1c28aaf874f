// Runs the built quorvane-sim in a folder and collects what it said.
#ifndef QUORVANE_TESTS_HOST_PROGRAM_PROGRAM_RUNNER_H
#define QUORVANE_TESTS_HOST_PROGRAM_PROGRAM_RUNNER_H

#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
    int status = -1;  // exit status; 128 + signal when killed
    std::string out, err;
};

// The program at the root of the build tree, run with these arguments in the
// folder given.
ProgramResult RunQuorvaneSim(const std::vector<std::string> &args, const std::string &folder);

}  // namespace testing_support

#endif
