// Plays a run's events on a simulation, and gives every vessel its keyboard.
//
// Order within a frame (the simulator polls input before it steps):
//   1. ApplyDue: held keys whose time is over are let go, then the events due
//      are applied in time order (ties in the order given); a key event is
//      delivered at once, press then release, through clbkConsumeBufferedKey;
//   2. DeliverDirectKeys: the focus vessel and every vessel with a held key
//      get clbkConsumeDirectKey once, with their own keyboard state;
//   3. the simulation's step (all clbkPreStep, state update, all clbkPostStep).
#ifndef QUORVANE_HOST_PROGRAM_EVENT_PLAYER_H
#define QUORVANE_HOST_PROGRAM_EVENT_PLAYER_H

#include <functional>
#include <string>
#include <vector>

#include "files/event_script.h"
#include "world/simulation.h"

namespace host {

class EventPlayer {
public:
    // Writes the scenario to a file; false with a message.
    using SaveScenario = std::function<bool(const std::string &file, std::string *error)>;

    EventPlayer(Simulation &sim, std::vector<ScriptEvent> events, SaveScenario save);

    // Every vessel that an event names exists now; false naming the event.
    bool CheckVessels(std::string *error) const;
    const std::vector<ScriptEvent> &Events() const { return events_; }
    // The time of the last event, 0 without events.
    double LastTime() const;

    // Applies every event due at simulation time t (those at or before
    // t + tolerance); false with a message naming the event on failure.
    bool ApplyDue(double t, double tolerance, std::string *error);
    void DeliverDirectKeys();

    // What a scenario saved at time t needs to resume the run: the keys still
    // held and the navigation modes on (which scenario lines do not hold), and
    // the events still to come, timed from t.
    std::vector<std::string> PendingLines(double t) const;
    // Files the events wrote, in order.
    const std::vector<std::string> &Written() const { return written_; }

    // The HUD mode handed to clbkDrawHUD: the simulator's orbit HUD.
    static constexpr int kHudMode = 1;

private:
    struct HeldKey {
        std::string vessel;
        unsigned key;
        double until;  // released at the first frame at or after this time [s]
    };

    bool Apply(const ScriptEvent &e, double t, std::string *error);
    void FillKeyboard(const std::string &vessel, char *kstate) const;

    Simulation &sim_;
    std::vector<ScriptEvent> events_;  // in time order
    size_t next_ = 0;                  // first event not yet applied
    std::vector<HeldKey> held_;
    SaveScenario save_;
    std::vector<std::string> written_;
};

}  // namespace host

#endif
