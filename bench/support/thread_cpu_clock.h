#pragma once
// The calling thread's own CPU time. The software GL driver runs worker threads of its own; a
// process-wide clock would count their time on both sides of every comparison and pull each
// ratio towards 1.

#include <time.h>

namespace bench {

inline double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace bench
