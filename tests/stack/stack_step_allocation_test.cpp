// The stack's step allocates nothing: neither while it waits, nor in the
// step that releases its satellites, nor in the one that asks for its
// deletion. This program counts every allocation in the process, the loaded
// module's too.
#include <gtest/gtest.h>

#include "stack_fixture.h"
#include "support/allocation_counter.h"
#include "world/module_library.h"

namespace {

class StackStepAllocation : public stack_testing::StackTest {
protected:
    // Allocations during one call of the stack's step.
    int AllocationsInStep(host::SimVessel &stack) {
        testing_support::AllocationCounter counter;
        stack.Callbacks()->clbkPreStep(sim->SimTime(), stack_testing::kStep, sim->Mjd());
        return counter.Allocations();
    }
};

TEST_F(StackStepAllocation, TheCounterSeesTheModulesAllocations) {
    std::string error;
    auto module = host::ModuleLibrary::Load(testing_support::BuildRoot() + "/Modules/quorvane_stack.so", &error);
    ASSERT_NE(module, nullptr) << error;
    host::SimVessel &body = Create("Body", stack_testing::kLaunchVehicleClass);
    VESSEL *object = nullptr;
    {
        testing_support::AllocationCounter counter;
        object = module->Init(body.Handle(), 1);  // the module makes its object
        EXPECT_EQ(counter.Allocations(), 1);
    }
    module->Exit(object);
}

TEST_F(StackStepAllocation, WaitingReleasingAndLeavingAllocateNothing) {
    sim->EnableJournal(false);
    host::SimVessel &vehicle = CreateLaunchVehicle();
    host::SimVessel &stack = Create("S", "quorvane_stack", {"ATTACHED 0:0,LV"});
    host::SimVessel &first = Create("Q0", "quorvane_odd", {"ATTACHED 0:0,S"});
    host::SimVessel &last = Create("Q59", "quorvane_even", {"ATTACHED 0:59,S"});
    FinishCreation();

    EXPECT_EQ(AllocationsInStep(stack), 0) << "carried";
    ASSERT_TRUE(sim->DetachChild(vehicle.AttachmentAt(false, 0), 0.0));
    EXPECT_EQ(AllocationsInStep(stack), 0) << "releasing";
    EXPECT_EQ(first.Parent(), nullptr);
    EXPECT_EQ(last.Parent(), nullptr);
    EXPECT_EQ(AllocationsInStep(stack), 0) << "asking for its deletion";
    EXPECT_TRUE(stack.MarkedForDeletion());
}

}  // namespace
