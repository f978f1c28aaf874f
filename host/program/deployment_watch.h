// Watches a simulation along the road of a release: stacks let go by their
// launch vehicles, the satellites each stack sets free and how fast, each
// satellite's activation and full deployment, how close the free satellites
// come to one another and how well the pointing ones hold nadir. It only
// looks, at the points of the step loop where the world's state is known,
// and changes nothing.
//
// A satellite is a vessel of the classes quorvane_odd and quorvane_even, a
// stack one of quorvane_stack. A satellite's first animation is its solar
// array: it activates in the step in which that animation leaves 0 and is
// fully deployed in the step in which it reaches 1 (both seen right after the
// pre-steps, where the satellite's own step has set it).
#ifndef QUORVANE_HOST_PROGRAM_DEPLOYMENT_WATCH_H
#define QUORVANE_HOST_PROGRAM_DEPLOYMENT_WATCH_H

#include <map>
#include <string>
#include <vector>

#include "world/simulation.h"
#include "world/step_observer.h"

namespace host {

// Something that happened in a step, or before the watch began.
struct StepMoment {
    bool seen = false;             // in this run
    bool beforeStart = false;      // it had happened before the watch began
    unsigned long long step = 0;   // number of the step it happened in (from 1)
    double time = 0;               // when, as each record says [s]
};

// Times: a detach in a step happens at the step's start (the states are
// those of the start), one between steps before the next step.
struct StackRecord {
    std::string name;
    std::string carrier;      // the vessel that let go of it
    StepMoment letGo;         // its carrier let go of it
    StepMoment release;       // it set its first satellite free
    int satellitesReleased = 0;
    StepMoment removal;       // it left the simulation, at the end of the step that removed it
};

struct SatelliteRecord {
    std::string name;
    std::string releasedBy;      // the vessel that set it free, empty when not in this run
    StepMoment release;
    double separationSpeed = 0;  // relative to the vessel that set it free, right after [m/s]
    // The array starts to unfold at the start of the step whose pre-step
    // moved it from 0, and is out at the end of the step whose pre-step
    // brought it to 1 (a pre-step sets the array's state for the step's end).
    StepMoment activation;
    StepMoment deployment;
    bool present = true;         // still in the simulation
};

struct DeploymentFigures {
    std::vector<StackRecord> stacks;          // in the order the simulation held them
    std::vector<SatelliteRecord> satellites;  // in the order the simulation held them
    std::vector<size_t> releaseOrder;         // satellites' indices in the order they were set free

    // Smallest distance between two free satellites at the end of any step
    // after their release.
    bool hasClosest = false;
    double closestDistance = 0;  // [m]
    size_t closestA = 0, closestB = 0;  // satellite indices
    double closestTime = 0;      // end of that step [s]

    // Largest angle between a satellite's body -y axis and the direction to
    // the centre of the Earth, from the step in which it activated on; right
    // after the pre-steps, and at the end of the steps.
    bool hasPointing = false;
    double nadirErrorAfterPreStep = 0;  // [rad]
    double nadirErrorAtStepEnd = 0;     // [rad]

    // Distance between the first and the last satellite set free, as it is now.
    bool hasSpread = false;
    double spread = 0;  // [m]
};

class DeploymentWatch : public StepObserver {
public:
    // Starts watching the simulation's vessels as they are now; before the
    // first step of the run.
    explicit DeploymentWatch(Simulation &sim);
    ~DeploymentWatch() override;
    DeploymentWatch(const DeploymentWatch &) = delete;
    DeploymentWatch &operator=(const DeploymentWatch &) = delete;

    // The figures as they stand (the spread as of now).
    const DeploymentFigures &Figures();
    // Every satellite still present has its array out (so also when there are none).
    bool AllDeployed() const;
    int SatelliteCount() const { return static_cast<int>(figures_.satellites.size()); }
    int ReleasedCount() const { return released_; }
    int DeployedCount() const { return deployed_; }

    // How long after the last event a run waits at most for the arrays: the
    // release delay, the unfolding and a minute to spare [s].
    static constexpr double kLongestWait = 2000.0 + 20.0 + 60.0;

    void PreStepsDone(const Simulation &sim, unsigned long long step, double t0, double dt) override;
    void StatesUpdated(const Simulation &sim, unsigned long long step, double t1, double dt) override;
    void Detached(const Simulation &sim, const SimVessel &parent, const SimVessel &child, double speed) override;
    void Removing(const Simulation &sim, const SimVessel &vessel) override;

private:
    struct Watched {
        const SimVessel *vessel = nullptr;  // null once it has left
        double lastArray = 0;               // array animation state last seen
    };

    void Track(const SimVessel &v);
    // Free satellites set free in this run: their closest pair now.
    void MeasureClosest(double t1);
    // The angle between the body -y axis and the direction to the Earth's centre [rad].
    static double NadirError(const SimVessel &v);

    Simulation &sim_;
    DeploymentFigures figures_;
    std::vector<Watched> satellites_;  // parallel to figures_.satellites
    // Indices of the vessels present, by vessel.
    std::map<const SimVessel *, size_t> satelliteIndex_, stackIndex_;
    size_t vesselsSeen_ = 0;  // how many vessels the simulation held when last looked at
    int released_ = 0, deployed_ = 0;

    // The closest pair: satellites sorted along the axis on which they spread
    // most, kept between steps so that the sorting has little to do.
    struct Point {
        VECTOR3 pos;
        size_t index;
    };
    std::vector<Point> points_;
};

}  // namespace host

#endif
