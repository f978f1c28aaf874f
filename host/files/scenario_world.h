// A scenario file and the world: creating the scenario's vessels in a
// simulation in the simulator's order, and taking a simulation's state back
// into a scenario.
#ifndef QUORVANE_HOST_FILES_SCENARIO_WORLD_H
#define QUORVANE_HOST_FILES_SCENARIO_WORLD_H

#include <string>
#include <vector>

#include "scenario_file.h"
#include "world/simulation.h"

namespace host {

// Sets the start date, creates every vessel of the ship list (module, class
// set-up, the block's lines), sets the focus, resolves the ATTACHED links and
// runs clbkPostCreation; then tells the focus vessel it has the focus. False
// with a message naming the file and line; the simulation is then unusable.
bool CreateScenarioVessels(const ScenarioFile &scenario, Simulation &sim, std::string *error);

// The simulation's state as a scenario snapshot: the date now, the focus and
// each vessel's block as its clbkSaveState writes it, in creation order.
ScenarioFile::Snapshot TakeSnapshot(Simulation &sim);

}  // namespace host

#endif
