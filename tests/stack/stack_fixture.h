// Stacks driven through the real module: a simulation that also knows a
// generic launch vehicle, and helpers to read what a stack did and saved.
#ifndef QUORVANE_TESTS_STACK_STACK_FIXTURE_H
#define QUORVANE_TESTS_STACK_STACK_FIXTURE_H

#include <string>
#include <vector>

#include "support/host_fixture.h"

namespace stack_testing {

// The class of the launch vehicle: defined by its configuration alone, with
// one to-child point "PAYLOAD" on its nose.
extern const char kLaunchVehicleClass[];

// An ordinary simulation step [s].
const double kStep = 0.1;

// The host lines of a vessel in free flight, in a low circular orbit.
std::vector<std::string> InLowOrbit();

// The calls with which a vessel asks the host to delete it.
std::vector<std::string> DeletionRequest(const std::string &vessel);

class StackTest : public testing_support::HostTest {
protected:
    void SetUp() override;

    // The launch vehicle "LV", in free flight in a low orbit.
    host::SimVessel &CreateLaunchVehicle();
    // The calls of one vessel and the free calls (oapiRand, oapiDeleteVessel)
    // from the journal index given on, in the order they were made.
    std::vector<std::string> CallsWithFree(const std::string &vessel, size_t from) const;
    // The separation speeds of the DetachChild calls from the journal index on.
    std::vector<double> DetachSpeeds(size_t from) const;
    // The lines a vessel writes into its scenario block.
    static std::vector<std::string> SavedLines(host::SimVessel &v);
    // The saved line of a vessel that starts with the key, or "" without one.
    static std::string SavedLine(host::SimVessel &v, const std::string &key);
    // Resolves the scenario's links and runs post-creation; fails the test on error.
    void FinishCreation();
};

}  // namespace stack_testing

#endif
