#pragma once
// What the benchmarks of a whole world share: the largest world (4096x512) generated on the
// home planet from the content file (<build>/data/data.dat, run from the build folder, or
// RUBBLE_DATA_FILE), and the process's resident sizes for the memory a step adds at its peak.

#include <memory>

class World;

namespace bench {

// Loads the content and generates the world with seed 1; null without a content file.
std::unique_ptr<World> generateLargestWorld();

// The process's resident ("VmRSS:") or peak resident ("VmHWM:") size in MB.
double statusMegabytes(const char* field);
// The peak resident size starts again from the present one.
void resetPeak();

// What the call adds to the resident size at its peak.
template <typename Call>
double addedPeakMegabytes(Call&& call) {
  resetPeak();
  const double before = statusMegabytes("VmRSS:");
  call();
  return statusMegabytes("VmHWM:") - before;
}

}  // namespace bench
