// Counts the allocations and records the deallocations of the whole process
// (the loaded modules' included) while a counter is open. A test program that
// uses it links allocation_counter.cpp, which replaces the global operator new
// and delete.
#ifndef QUORVANE_TESTS_SUPPORT_ALLOCATION_COUNTER_H
#define QUORVANE_TESTS_SUPPORT_ALLOCATION_COUNTER_H

namespace testing_support {

class AllocationCounter {
public:
    AllocationCounter();   // starts counting from zero
    ~AllocationCounter();  // stops
    AllocationCounter(const AllocationCounter &) = delete;
    AllocationCounter &operator=(const AllocationCounter &) = delete;

    int Allocations() const;
    int Deallocations() const;
    // How often this address was freed while counting (of the first 64 frees).
    int TimesFreed(const void *p) const;
};

}  // namespace testing_support

#endif
