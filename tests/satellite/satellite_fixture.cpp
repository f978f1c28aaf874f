#include "satellite_fixture.h"

#include <cmath>
#include <cstdio>

#include "files/installation.h"
#include "world/scenario_stream.h"
#include "world/simulation.h"

namespace satellite_testing {

namespace {

const char kCarrierClass[] = "test_carrier";

// A class without a module: one to-child point above its origin.
std::shared_ptr<const host::VesselClass> CarrierClass() {
    auto cls = std::make_shared<host::VesselClass>();
    cls->name = kCarrierClass;
    cls->generic.hasMass = true;
    cls->generic.mass = 1000;
    cls->generic.attachments.push_back({false, _V(0, 1, 0), _V(0, 1, 0), _V(1, 0, 0), "QV0"});
    return cls;
}

}  // namespace

void SatelliteTest::SetUp() {
    HostTest::SetUp();
    host::Simulation::ClassResolver installed = host::Installation(testing_support::BuildRoot()).Resolver();
    sim->SetClassResolver([installed](const std::string &name, std::string *error) {
        return name == kCarrierClass ? CarrierClass() : installed(name, error);
    });
}

host::SimVessel &SatelliteTest::Satellite(const std::vector<std::string> &lines, const std::string &name,
                                          const std::string &className) {
    host::SimVessel &v = Create(name, className, lines, true);
    v.SetRelPos(kOrbitPos);
    v.SetRelVel(kOrbitVel);
    return v;
}

host::SimVessel &SatelliteTest::HangOnCarrier(host::SimVessel &satellite) {
    host::SimVessel &carrier = Create("Carrier" + satellite.Name(), kCarrierClass);
    carrier.SetRelPos(satellite.RelPos());
    carrier.SetRelVel(satellite.RelVel());
    std::string error;
    EXPECT_TRUE(sim->Attach(carrier.AttachmentAt(false, 0), satellite.AttachmentAt(true, 0), &error)) << error;
    return carrier;
}

std::vector<std::string> SatelliteTest::SaveLines(host::SimVessel &v) {
    host::ScenarioBlockWriter out;
    v.Callbacks()->clbkSaveState(static_cast<host::HostFile *>(&out));
    return out.Lines();
}

std::string SatelliteTest::Saved(host::SimVessel &v, const std::string &key) {
    for (const std::string &line : SaveLines(v))
        if (line.compare(0, key.size() + 1, key + " ") == 0) return line.substr(key.size() + 1);
    return "";
}

std::vector<std::string> SatelliteTest::CallsNamed(const std::string &vessel, const std::string &function,
                                                   size_t from) const {
    std::vector<std::string> calls;
    for (const std::string &call : CallsOf(vessel, from))
        if (call.compare(0, function.size() + 1, function + "(") == 0) calls.push_back(call);
    return calls;
}

namespace {

struct KeyboardState {
    char keys[256] = {};
    KeyboardState(std::initializer_list<int> down) {
        for (int k : down) keys[k] = static_cast<char>(0x80);
    }
};

}  // namespace

int SatelliteTest::DirectKeys(host::SimVessel &v, std::initializer_list<int> keys) {
    KeyboardState state(keys);
    return v.ConsumeDirectKey(state.keys);
}

int SatelliteTest::BufferedKey(host::SimVessel &v, DWORD key, bool down, std::initializer_list<int> held) {
    KeyboardState state(held);
    return v.ConsumeBufferedKey(key, down, state.keys);
}

std::vector<VECTOR3> VectorsIn(const std::string &call) {
    std::vector<VECTOR3> vectors;
    for (size_t at = call.find('('); at != std::string::npos; at = call.find('(', at + 1)) {
        VECTOR3 v;
        if (std::sscanf(call.c_str() + at, "(%lf, %lf, %lf)", &v.x, &v.y, &v.z) == 3) vectors.push_back(v);
    }
    return vectors;
}

Rows RowsFromAngles(const VECTOR3 &a) {
    const double ca = std::cos(a.x), sa = std::sin(a.x);
    const double cb = std::cos(a.y), sb = std::sin(a.y);
    const double cg = std::cos(a.z), sg = std::sin(a.z);
    const double rx[3][3] = {{1, 0, 0}, {0, ca, -sa}, {0, sa, ca}};
    const double ry[3][3] = {{cb, 0, sb}, {0, 1, 0}, {-sb, 0, cb}};
    const double rz[3][3] = {{cg, -sg, 0}, {sg, cg, 0}, {0, 0, 1}};
    double zy[3][3] = {}, m[3][3] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) zy[i][j] += rz[i][k] * ry[k][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) m[i][j] += zy[i][k] * rx[k][j];
    return {_V(m[0][0], m[0][1], m[0][2]), _V(m[1][0], m[1][1], m[1][2]), _V(m[2][0], m[2][1], m[2][2])};
}

}  // namespace satellite_testing
