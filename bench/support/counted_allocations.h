#pragma once
// Every allocation of a benchmark program that calls `allocationCount` is counted: linking this
// file replaces the global operator new, so a benchmark can show that a hot loop allocates
// nothing after its warm-up. Any thread.

namespace bench {

// The allocations made since the program started.
long allocationCount();

}  // namespace bench
