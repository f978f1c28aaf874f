// The simulation the host interface acts on is the newest one alive, also when
// an older one ends first.
#include <gtest/gtest.h>

#include <memory>

#include "world/simulation.h"

namespace {

TEST(SimulationLifetime, TheNewestLiveSimulationIsCurrent) {
    auto older = std::make_unique<host::Simulation>();
    EXPECT_EQ(host::Simulation::Current(), older.get());
    auto newer = std::make_unique<host::Simulation>();
    EXPECT_EQ(host::Simulation::Current(), newer.get());
    older.reset();  // not the newest: the newer one stays current
    EXPECT_EQ(host::Simulation::Current(), newer.get());
    newer.reset();
    EXPECT_EQ(host::Simulation::Current(), nullptr);
    oapiGetSimStep();  // free functions without a simulation are harmless
}

}  // namespace
