#pragma once
// Frame times of a run, in milliseconds, and the figures a load run reports of them.

#include <cstddef>
#include <vector>

namespace world_tool {

class FrameTimes {
 public:
  void add(double ms) { times_.push_back(ms); }
  size_t count() const { return times_.size(); }
  // The time below which the fraction `share` (0 to 1) of the frames from `from` on fall; 0 for none.
  double percentile(double share, size_t from = 0) const;
  double worst(size_t from = 0) const;
  double mean(size_t from = 0) const;

 private:
  std::vector<double> times_;
};

}  // namespace world_tool
