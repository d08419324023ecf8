#include "bench/support/counted_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}  // namespace

// The replacement pair takes its memory from malloc and gives it back with free; the compiler,
// seeing the replaced delete inlined into its callers, takes free for a mismatch, so the warning
// is silenced for these definitions only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace bench {

long allocationCount() { return allocations.load(std::memory_order_relaxed); }

}  // namespace bench
