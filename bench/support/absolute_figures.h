#pragma once
// For a benchmark that has no baseline doing the same work: it says so in its output, beside its
// figures, so that nobody reads them as a comparison. A baseline that did other (less) work would
// only give a ratio that means nothing.

#include <benchmark/benchmark.h>

namespace bench {

inline void reportAbsoluteFiguresOnly(benchmark::State& state) {
  state.SetLabel("absolute figures only (no baseline does the same work)");
}

}  // namespace bench
