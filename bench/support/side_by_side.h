#pragma once
// Times the engine and its baseline frame by frame in the same iterations, on the thread's own
// CPU clock, and reports both per frame and their ratio. Interleaving the two keeps them under
// the same load from whatever else the machine runs; repetitions then give the medians.

#include <benchmark/benchmark.h>

#include "bench/support/thread_cpu_clock.h"

namespace bench {

class SideBySide {
 public:
  template <typename Frame>
  void engine(Frame&& frame) {
    engineSeconds_ += timed(frame);
    ++frames_;
  }
  template <typename Frame>
  void baseline(Frame&& frame) {
    baselineSeconds_ += timed(frame);
  }

  // Counters: engine_us and baseline_us per frame, ratio = engine / baseline.
  void report(benchmark::State& state) const;

 private:
  template <typename Frame>
  static double timed(Frame& frame) {
    const double start = threadCpuSeconds();
    frame();
    return threadCpuSeconds() - start;
  }

  double engineSeconds_ = 0.0;
  double baselineSeconds_ = 0.0;
  long frames_ = 0;
};

// Five repetitions, only their aggregates (median first) in the report.
void repeatForMedians(benchmark::internal::Benchmark* benchmark);

}  // namespace bench
