#include "stack_fixture.h"

#include <cstdlib>
#include <memory>

#include "files/installation.h"
#include "world/scenario_stream.h"

namespace stack_testing {

const char kLaunchVehicleClass[] = "launch_vehicle";

std::vector<std::string> InLowOrbit() { return {"STATUS Orbiting Earth", "RPOS 6771000 0 0", "RVEL 0 7672 0"}; }

std::vector<std::string> DeletionRequest(const std::string &vessel) {
    return {"GetHandle()", "oapiDeleteVessel(\"" + vessel + "\", \"null\")"};
}

void StackTest::SetUp() {
    HostTest::SetUp();
    auto launchVehicle = std::make_shared<host::VesselClass>();
    launchVehicle->name = kLaunchVehicleClass;
    launchVehicle->generic.hasMass = true;
    launchVehicle->generic.mass = 120000;  // [kg]
    launchVehicle->generic.hasSize = true;
    launchVehicle->generic.size = 30;  // [m]
    launchVehicle->generic.attachments.push_back({false, _V(0, 0, 25), _V(0, 0, 1), _V(0, 1, 0), "PAYLOAD"});
    host::Simulation::ClassResolver tree = host::Installation(testing_support::BuildRoot()).Resolver();
    sim->SetClassResolver([tree, launchVehicle](const std::string &name,
                                                std::string *error) -> std::shared_ptr<const host::VesselClass> {
        if (name == kLaunchVehicleClass) return launchVehicle;
        return tree(name, error);
    });
}

host::SimVessel &StackTest::CreateLaunchVehicle() { return Create("LV", kLaunchVehicleClass, InLowOrbit()); }

std::vector<std::string> StackTest::CallsWithFree(const std::string &vessel, size_t from) const {
    std::vector<std::string> calls;
    const auto &entries = sim->Journal()->Entries();
    for (size_t i = from; i < entries.size(); ++i)
        if (entries[i].vessel == vessel || entries[i].vessel.empty()) calls.push_back(entries[i].call);
    return calls;
}

std::vector<double> StackTest::DetachSpeeds(size_t from) const {
    std::vector<double> speeds;
    const auto &entries = sim->Journal()->Entries();
    for (size_t i = from; i < entries.size(); ++i) {
        const std::string &call = entries[i].call;
        if (call.rfind("DetachChild(", 0) != 0) continue;
        speeds.push_back(std::strtod(call.c_str() + call.rfind(", ") + 2, nullptr));
    }
    return speeds;
}

std::vector<std::string> StackTest::SavedLines(host::SimVessel &v) {
    host::ScenarioBlockWriter out("saved.scn");
    v.Callbacks()->clbkSaveState(&out);
    return out.Lines();
}

std::string StackTest::SavedLine(host::SimVessel &v, const std::string &key) {
    for (const std::string &line : SavedLines(v))
        if (line.compare(0, key.size() + 1, key + " ") == 0 || line == key) return line;
    return "";
}

void StackTest::FinishCreation() {
    std::string error;
    ASSERT_TRUE(sim->FinishCreation(&error)) << error;
}

}  // namespace stack_testing
