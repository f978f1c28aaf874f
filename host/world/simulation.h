// The world: its vessels, the central body, simulation time and the step loop
// in the simulator's order:
//   1. every vessel's clbkPreStep (time at the start of the step),
//   2. the state update: free vessels are propagated, attached vessels placed
//      on their parents, parents before children,
//   3. every vessel's clbkPostStep (time at the end of the step),
//   4. removal of the vessels marked for deletion during the step.
// Observers (step_observer.h) are told after 1 and after 2, of every detach
// and of every removal.
#ifndef QUORVANE_HOST_WORLD_SIMULATION_H
#define QUORVANE_HOST_WORLD_SIMULATION_H

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "call_journal.h"
#include "host_interface.h"
#include "scenario_stream.h"
#include "sim_vessel.h"
#include "step_observer.h"
#include "vessel_class.h"

namespace host {

// The body every vessel orbits: fixed in the global frame, point-mass gravity.
struct CentralBody {
    std::string name = "Earth";
    double mu = 3.986004418e14;                // gravitational parameter [m^3/s^2]
    double radius = 6.371e6;                   // mean radius [m]
    VECTOR3 globalPos = {{1.496e11, 0, 0}};    // one astronomical unit along +x [m]
};

// The host lines of a vessel block, collected while the module reads it.
struct PendingStatus {
    ScenarioBlockReader *source = nullptr;
    std::string statusBody;  // reference body named by STATUS
    int statusLine = 0;
    std::vector<std::string> errors;  // host lines that could not be read
    bool hasPos = false, hasVel = false, hasRot = false, hasAngVel = false;
    VECTOR3 rpos = {{0, 0, 0}}, rvel = {{0, 0, 0}};
    VECTOR3 arotDeg = {{0, 0, 0}};  // [deg]
    VECTOR3 vrotDeg = {{0, 0, 0}};  // [deg/s]
    std::vector<std::pair<int, double>> propellantLevels;  // tank index, level 0..1
    std::vector<std::pair<int, double>> thrusterLevels;    // thruster index, level 0..1
    int propellantLine = 0, thrusterLine = 0;
    bool attached = false;
    int attachChild = 0, attachParent = 0;  // point indices, child's and parent's
    std::string attachParentName;
    int attachLine = 0;
};

// A link named in a scenario, resolved once every vessel exists.
struct PendingAttachment {
    SimVessel *child = nullptr;
    int childPoint = 0, parentPoint = 0;
    std::string parentName;
    std::string file;
    int line = 0;
};

class Simulation {
public:
    using ClassResolver = std::function<std::shared_ptr<const VesselClass>(const std::string &, std::string *)>;

    Simulation();
    ~Simulation();
    Simulation(const Simulation &) = delete;
    Simulation &operator=(const Simulation &) = delete;

    // The simulation the host interface acts on: the newest one that still exists.
    static Simulation *Current();

    // ---- classes and vessels ----
    void SetClassResolver(ClassResolver resolver) { resolver_ = std::move(resolver); }
    // Loads the class's module (once) and creates a vessel: ovcInit, the
    // generic configuration, clbkSetClassCaps and, with a block, clbkLoadStateEx.
    // Null with a message on failure; nothing is left behind then.
    SimVessel *CreateVessel(const std::string &name, const std::string &className, ScenarioBlockReader *block,
                            std::string *error);
    // Resolves the scenario's attachment links, then runs clbkPostCreation
    // for every vessel that has not had it yet, in creation order.
    bool FinishCreation(std::string *error);
    SimVessel *FindVessel(const std::string &name) const;
    const std::vector<std::unique_ptr<SimVessel>> &Vessels() const { return vessels_; }
    // Destroys a vessel at once (ovcExit), detaching it first.
    void DestroyVessel(SimVessel *vessel);

    // ---- plugins ----
    // Loads a library that is no vessel module (a plugin such as the sound
    // add-on) and keeps it loaded until the simulation ends, after its vessels.
    bool LoadPlugin(const std::string &path, std::string *error);

    // ---- attachments ----
    // Attaches child's to-parent point to parent's to-child point and places it.
    bool Attach(Attachment *parentPoint, Attachment *childPoint, std::string *error);
    // Releases what hangs on a to-child point with the simulator's kinematics:
    // the child keeps the velocity of its place on the parent and gains speed
    // along the point's direction; the parent feels no recoil.
    bool DetachChild(Attachment *parentPoint, double speed);
    // Frees a vessel from its parent without any added speed.
    void DetachFromParent(SimVessel &child);
    // Moves a child (and its children) to where its parent holds it.
    void PlaceAttached(SimVessel &child);

    // ---- time ----
    double SimTime() const { return simTime_; }
    double SimStep() const { return simStep_; }
    double StartMjd() const { return startMjd_; }
    void SetStartMjd(double mjd) { startMjd_ = mjd; }
    double Mjd() const { return startMjd_ + simTime_ / 86400.0; }
    std::uint64_t StepCount() const { return stepCount_; }
    void Step(double dt);

    // ---- environment ----
    CentralBody &Body() { return body_; }
    const CentralBody &Body() const { return body_; }
    SimVessel *Focus() const { return focus_; }
    void SetFocus(SimVessel *v) { focus_ = v; }

    // ---- random numbers in [0, 1) ----
    double Rand();
    void SeedRand(std::uint64_t seed) { rng_.seed(seed); }
    // Replaces the generator (tests); an empty function restores it.
    void SetRandSource(std::function<double()> source) { randSource_ = std::move(source); }

    // ---- observers ----
    // Adds an observer (not owned) until it is removed; the simulation tells
    // it what happens from then on (see StepObserver). Observers are not
    // added or removed while they are being told something.
    void AddObserver(StepObserver *observer);
    void RemoveObserver(StepObserver *observer);

    // ---- diagnostics ----
    CallJournal *Journal() const { return journal_.get(); }
    void EnableJournal(bool on);
    // Warnings about input, each naming its file and line.
    void Warn(const std::string &message);
    const std::vector<std::string> &Warnings() const { return warnings_; }
    // What the base class's HUD callback returns (the host's own HUD drawing).
    bool baseHudResult = true;

private:
    void RemoveMarkedVessels();
    void UpdateStates(double dt);
    void ApplyGenericDefinition(SimVessel &v, const GenericDefinition &def);
    bool ApplyPendingStatus(SimVessel &v, const PendingStatus &status, std::string *error);

    ClassResolver resolver_;
    std::map<std::string, std::shared_ptr<const VesselClass>> classes_;
    std::map<std::string, std::weak_ptr<ModuleLibrary>> modules_;
    std::vector<std::unique_ptr<SimVessel>> vessels_;
    std::unordered_map<std::string, SimVessel *> byName_;  // the same vessels, by name
    std::vector<void *> plugins_;  // dlopen handles, in load order
    std::vector<PendingAttachment> pendingAttachments_;
    SimVessel *focus_ = nullptr;
    CentralBody body_;
    double simTime_ = 0, simStep_ = 0, startMjd_ = 51544.5;
    std::uint64_t stepCount_ = 0;
    std::mt19937_64 rng_{1};
    std::function<double()> randSource_;
    std::unique_ptr<CallJournal> journal_;
    std::vector<std::string> warnings_;
    std::vector<StepObserver *> observers_;
};

inline CallJournal *SimVessel::Journal() const { return sim_.Journal(); }

}  // namespace host

#endif
