// Observers see the step loop at its known points: after the pre-steps (states
// of the step's start), after the state update, at every detach and removal.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/host_fixture.h"

using ::testing::ElementsAre;

namespace {

// Writes down what it is told, with the first satellite's position then.
class Recorder : public host::StepObserver {
public:
    explicit Recorder(const host::SimVessel *&watched) : watched_(watched) {}
    void PreStepsDone(const host::Simulation &sim, unsigned long long step, double t0, double dt) override {
        Note("pre " + std::to_string(step), sim, t0, dt);
        positions.push_back(watched_->RelPos());
    }
    void StatesUpdated(const host::Simulation &sim, unsigned long long step, double t1, double dt) override {
        Note("update " + std::to_string(step), sim, t1, dt);
        positions.push_back(watched_->RelPos());
    }
    void Detached(const host::Simulation &sim, const host::SimVessel &parent, const host::SimVessel &child,
                  double speed) override {
        char text[96];
        std::snprintf(text, sizeof text, "detach %s %s %.2f", parent.Name().c_str(), child.Name().c_str(), speed);
        Note(text, sim, sim.SimTime(), 0);
        EXPECT_EQ(child.Parent(), nullptr) << "the child is free when the observer hears of it";
    }
    void Removing(const host::Simulation &sim, const host::SimVessel &vessel) override {
        Note("remove " + vessel.Name(), sim, sim.SimTime(), 0);
        EXPECT_NE(sim.FindVessel(vessel.Name()), nullptr) << "the vessel is still there when the observer hears of it";
    }

    std::vector<std::string> events;
    std::vector<VECTOR3> positions;

private:
    void Note(const std::string &what, const host::Simulation &sim, double t, double dt) {
        char when[64];
        std::snprintf(when, sizeof when, " at %.1f/%.1f, step count %llu", t, dt,
                      static_cast<unsigned long long>(sim.StepCount()));
        events.push_back(what + when);
    }
    const host::SimVessel *&watched_;
};

class StepObservers : public testing_support::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        sim->SetRandSource([] { return 0.0; });
        Create("Stack", "quorvane_stack", {"STATUS Orbiting Earth", "RPOS 0 6921000 0", "RVEL 0 0 7589", "DPLY 0"});
        first = &Create("QS0", "quorvane_odd", {"STATUS Orbiting Earth", "ATTACHED 0:0,Stack", "PRPLEVEL 0:1"});
        Create("QS1", "quorvane_even", {"STATUS Orbiting Earth", "ATTACHED 0:1,Stack", "PRPLEVEL 0:1"});
        std::string error;
        ASSERT_TRUE(sim->FinishCreation(&error)) << error;
    }
    const host::SimVessel *first = nullptr;
};

TEST_F(StepObservers, HearTheStepLoopInItsOrderWithTheStatesOfEachPoint) {
    Recorder recorder(first);
    sim->AddObserver(&recorder);
    const VECTOR3 start = first->RelPos();
    sim->Step(0.1);  // the free stack lets go of its satellites in its pre-step
    const VECTOR3 afterOne = first->RelPos();
    sim->Step(0.1);  // and asks for its deletion
    sim->RemoveObserver(&recorder);
    sim->Step(0.1);

    EXPECT_THAT(recorder.events, ElementsAre("detach Stack QS0 0.59 at 0.0/0.0, step count 0",
                                             "detach Stack QS1 0.58 at 0.0/0.0, step count 0",
                                             "pre 1 at 0.0/0.1, step count 0", "update 1 at 0.1/0.1, step count 1",
                                             "pre 2 at 0.1/0.1, step count 1", "update 2 at 0.2/0.1, step count 2",
                                             "remove Stack at 0.2/0.0, step count 2"));
    ASSERT_EQ(recorder.positions.size(), 4u);
    EXPECT_EQ(recorder.positions[0].y, start.y) << "after the pre-steps the state is the step's start";
    EXPECT_EQ(recorder.positions[1].y, afterOne.y) << "after the update the state is the step's end";
    EXPECT_NE(afterOne.y, start.y);
}

TEST_F(StepObservers, AreNotToldOfTheVesselsThatGoWithTheSimulation) {
    // Made after the simulation, so gone before it: the simulation's end must not reach it.
    auto recorder = std::make_unique<Recorder>(first);
    sim->AddObserver(recorder.get());
    sim->AddObserver(recorder.get());  // once is enough
    sim->Step(0.1);
    EXPECT_EQ(recorder->events.size(), 4u) << "two detaches, one step, each heard once";
    recorder.reset();
    sim.reset();
}

}  // namespace
