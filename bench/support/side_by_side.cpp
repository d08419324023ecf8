#include "bench/support/side_by_side.h"

namespace bench {

void SideBySide::report(benchmark::State& state) const {
  if (frames_ == 0) return;
  const double frames = static_cast<double>(frames_);
  state.counters["engine_us"] = engineSeconds_ / frames * 1e6;
  state.counters["baseline_us"] = baselineSeconds_ / frames * 1e6;
  if (baselineSeconds_ > 0.0) state.counters["ratio"] = engineSeconds_ / baselineSeconds_;
}

void repeatForMedians(benchmark::internal::Benchmark* benchmark) {
  benchmark->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
