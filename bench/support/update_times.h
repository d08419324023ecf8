#pragma once
// Mean and worst of a series of timed updates (a frame, a step), on the thread's own CPU clock.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench/support/thread_cpu_clock.h"

namespace bench {

class UpdateTimes {
 public:
  template <typename Update>
  void time(Update&& update) {
    const double start = threadCpuSeconds();
    update();
    const double seconds = threadCpuSeconds() - start;
    total_ += seconds;
    worst_ = std::max(worst_, seconds);
    ++count_;
  }
  long count() const { return count_; }
  // Counters "<name>_mean_<unit>" and "<name>_worst_<unit>"; unit "ms" or "us".
  void report(benchmark::State& state, const std::string& name, const std::string& unit) const {
    const double scale = unit == "ms" ? 1e3 : 1e6;
    state.counters[name + "_mean_" + unit] = count_ > 0 ? total_ / count_ * scale : 0.0;
    state.counters[name + "_worst_" + unit] = worst_ * scale;
  }

 private:
  double total_ = 0.0;
  double worst_ = 0.0;
  long count_ = 0;
};

}  // namespace bench
