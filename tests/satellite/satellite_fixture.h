// A world for driving satellites through the real modules: the installed
// classes plus a carrier to hang a satellite on, and readers for what a
// satellite shows the host (its saved lines, its journal entries, its
// attitude).
#ifndef QUORVANE_TESTS_SATELLITE_SATELLITE_FIXTURE_H
#define QUORVANE_TESTS_SATELLITE_SATELLITE_FIXTURE_H

#include <string>
#include <vector>

#include "support/host_fixture.h"
#include "world/sim_vessel.h"

namespace satellite_testing {

const double kDegree = 0.017453292519943295;  // one degree [rad]

// Where the default satellite flies: a circular orbit of 7000 km radius
// that lies on no line through the central body and the global origin.
const VECTOR3 kOrbitPos = {{0, 7.0e6, 0}};       // [m]
const VECTOR3 kOrbitVel = {{-7546.05, 0, 0}};    // [m/s]

class SatelliteTest : public testing_support::HostTest {
protected:
    void SetUp() override;

    // A free satellite on the default orbit, at rest, its scenario block
    // made of the lines given.
    host::SimVessel &Satellite(const std::vector<std::string> &lines = {}, const std::string &name = "Q1",
                               const std::string &className = "quorvane_odd");
    // Hangs the satellite on a new carrier vessel.
    host::SimVessel &HangOnCarrier(host::SimVessel &satellite);

    // The lines a save writes for the vessel, each "KEY value".
    std::vector<std::string> SaveLines(host::SimVessel &v);
    // The value of the saved line with this key ("" when there is none).
    std::string Saved(host::SimVessel &v, const std::string &key);

    // The vessel's journal entries from index `from` on whose text starts
    // with the function's name.
    std::vector<std::string> CallsNamed(const std::string &vessel, const std::string &function, size_t from = 0) const;

    // Delivers the keyboard state with these keys down.
    int DirectKeys(host::SimVessel &v, std::initializer_list<int> keys);
    int BufferedKey(host::SimVessel &v, DWORD key, bool down, std::initializer_list<int> held = {});
};

// The vectors "(x, y, z)" written in a journal entry, in order.
std::vector<VECTOR3> VectorsIn(const std::string &call);

// M = Rz(gamma) Ry(beta) Rx(alpha) from the elementary rotations; its rows
// are the body axes.
struct Rows {
    VECTOR3 x, y, z;
};
Rows RowsFromAngles(const VECTOR3 &angles);

}  // namespace satellite_testing

#endif
