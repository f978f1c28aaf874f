#include "allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {

// Plain globals: the recorder itself must never allocate.
bool counting = false;
int allocations = 0;
int deallocations = 0;
const int kRecordedFrees = 64;
const void *freed[kRecordedFrees];

void *Allocate(std::size_t n) {
    if (counting) ++allocations;
    return std::malloc(n == 0 ? 1 : n);
}

void Free(void *p) {
    if (counting && p != nullptr) {
        if (deallocations < kRecordedFrees) freed[deallocations] = p;
        ++deallocations;
    }
    std::free(p);
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
void operator delete(void *p) noexcept { Free(p); }
void operator delete[](void *p) noexcept { Free(p); }
void operator delete(void *p, std::size_t) noexcept { Free(p); }
void operator delete[](void *p, std::size_t) noexcept { Free(p); }

namespace testing_support {

AllocationCounter::AllocationCounter() {
    allocations = 0;
    deallocations = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter() { counting = false; }

int AllocationCounter::Allocations() const { return allocations; }
int AllocationCounter::Deallocations() const { return deallocations; }

int AllocationCounter::TimesFreed(const void *p) const {
    int times = 0;
    for (int i = 0; i < deallocations && i < kRecordedFrees; ++i) times += freed[i] == p ? 1 : 0;
    return times;
}

}  // namespace testing_support
