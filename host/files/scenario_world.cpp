#include "scenario_world.h"

#include <cctype>

#include "world/scenario_stream.h"
#include "world/vessel_status_lines.h"

namespace host {

bool CreateScenarioVessels(const ScenarioFile &scenario, Simulation &sim, std::string *error) {
    auto fail = [&](const std::string &message) {
        if (error != nullptr) *error = message;
        return false;
    };
    sim.SetStartMjd(scenario.StartMjd());
    const std::string &path = scenario.Path();
    for (const ScenarioFile::Ship &ship : scenario.Ships()) {
        ScenarioBlockReader block(path, ship.lines);
        std::string why;
        if (sim.CreateVessel(ship.name, ship.className, &block, &why) == nullptr) {
            // Messages about a line of the block name it already; others get the block's first line.
            const bool located = why.compare(0, path.size() + 1, path + ":") == 0 && why.size() > path.size() + 1 &&
                                 std::isdigit(static_cast<unsigned char>(why[path.size() + 1]));
            if (located) return fail(why);
            return fail(path + ":" + std::to_string(ship.line) + ": " + why);
        }
    }
    if (scenario.HasFocus()) {
        SimVessel *focus = sim.FindVessel(scenario.FocusName());
        if (focus == nullptr)
            return fail(path + ":" + std::to_string(scenario.FocusLine()) + ": the focus ship " + scenario.FocusName() +
                        " is not in the ship list");
        sim.SetFocus(focus);
    } else if (!sim.Vessels().empty()) {
        sim.SetFocus(sim.Vessels().front().get());
    }
    if (!sim.FinishCreation(error)) return false;
    if (SimVessel *focus = sim.Focus())
        if (VESSEL2 *cb = focus->Callbacks()) cb->clbkFocusChanged(true, focus->Handle(), nullptr);
    return true;
}

ScenarioFile::Snapshot TakeSnapshot(Simulation &sim) {
    ScenarioFile::Snapshot snap;
    snap.mjd = sim.Mjd();
    const SimVessel *focus = sim.Focus();
    if (focus == nullptr && !sim.Vessels().empty()) focus = sim.Vessels().front().get();
    if (focus != nullptr) snap.focus = focus->Name();
    for (const auto &v : sim.Vessels()) {
        ScenarioBlockWriter out;
        if (VESSEL2 *cb = v->Callbacks()) {
            cb->clbkSaveState(&out);
        } else {
            WriteHostLines(*v, out);
        }
        snap.ships.push_back({v->Name(), v->ClassName(), out.Lines()});
    }
    return snap;
}

}  // namespace host
