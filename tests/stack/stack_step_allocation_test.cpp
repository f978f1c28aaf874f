// The stack's step allocates nothing: neither while it waits, nor in the
// step that releases its satellites, nor in the one that asks for its
// deletion. This program's operator new counts every allocation in the
// process, the loaded module's too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "stack_fixture.h"
#include "world/module_library.h"

namespace {

bool counting = false;
int allocations = 0;

void *Allocate(std::size_t n) {
    if (counting) ++allocations;
    return std::malloc(n == 0 ? 1 : n);
}

}  // namespace

void *operator new(std::size_t n) {
    if (void *p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t n) {
    if (void *p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return Allocate(n); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }

namespace {

class StackStepAllocation : public stack_testing::StackTest {
protected:
    // Allocations during one call of the stack's step.
    int AllocationsInStep(host::SimVessel &stack) {
        allocations = 0;
        counting = true;
        stack.Callbacks()->clbkPreStep(sim->SimTime(), stack_testing::kStep, sim->Mjd());
        counting = false;
        return allocations;
    }
};

TEST_F(StackStepAllocation, TheCounterSeesTheModulesAllocations) {
    std::string error;
    auto module = host::ModuleLibrary::Load(testing_support::BuildRoot() + "/Modules/quorvane_stack.so", &error);
    ASSERT_NE(module, nullptr) << error;
    host::SimVessel &body = Create("Body", stack_testing::kLaunchVehicleClass);
    allocations = 0;
    counting = true;
    VESSEL *object = module->Init(body.Handle(), 1);  // the module makes its object
    counting = false;
    EXPECT_EQ(allocations, 1);
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
