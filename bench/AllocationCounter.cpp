// Counts every allocation of the process, so a benchmark can show that a
// steady-state step allocates nothing.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> allocations{0};
}

long long AllocationCount() { return allocations.load(std::memory_order_relaxed); }

void *operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void *p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void *operator new[](std::size_t size) { return operator new(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
