#include "tools/world_tool/frame_times.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace world_tool {

double FrameTimes::percentile(double share, size_t from) const {
  if (from >= times_.size()) return 0;
  std::vector<double> sorted(times_.begin() + static_cast<std::ptrdiff_t>(from), times_.end());
  std::sort(sorted.begin(), sorted.end());
  const double rank = std::ceil(share * static_cast<double>(sorted.size()));
  const size_t at = std::min(sorted.size() - 1, static_cast<size_t>(std::max(1.0, rank)) - 1);
  return sorted[at];
}

double FrameTimes::worst(size_t from) const {
  if (from >= times_.size()) return 0;
  return *std::max_element(times_.begin() + static_cast<std::ptrdiff_t>(from), times_.end());
}

double FrameTimes::mean(size_t from) const {
  if (from >= times_.size()) return 0;
  const double sum = std::accumulate(times_.begin() + static_cast<std::ptrdiff_t>(from), times_.end(), 0.0);
  return sum / static_cast<double>(times_.size() - from);
}

}  // namespace world_tool
