#pragma once
// The noise map's raw density field made from its heaviest octaves only, with a margin within
// which every cell's whole value (all octaves, as the full fill gives it) is sure to lie, and the
// whole field's exact least and greatest values, found by making whole only the cells whose
// margin reaches the extremes. Where the octaves left out change a value by little beside the
// field's span, most cells are judged from the coarse value alone (see share_thresholds.h) and
// few ever need every octave.
//
// Belongs to the thread that builds it.

#include <cstdint>
#include <functional>
#include <vector>

class FractalGrid;

class CoarseField {
 public:
  // Octaves `firstOctave`.. of every cell of the grid; `beforeColumn`, when given, runs before
  // each column.
  CoarseField(const FractalGrid& grid, int firstOctave, const std::function<void()>& beforeColumn = {});

  const float* column(int32_t x) const { return values_.data() + static_cast<size_t>(x) * static_cast<size_t>(rows_); }
  float margin() const { return margin_; }
  float least() const { return least_; }
  float greatest() const { return greatest_; }
  // How many cells were made whole to find the extremes.
  size_t wholeCells() const { return wholeCells_; }

 private:
  void findExtremes(const FractalGrid& grid, float coarseLeast, float coarseGreatest);
  void findExtremesIn(const FractalGrid& grid, int32_t x, float lowCut, float highCut, bool& any);

  int32_t rows_ = 0;
  std::vector<float> values_;
  std::vector<float> columnLeast_, columnGreatest_;  // each column's coarse extremes
  float margin_ = 0.0f;
  float least_ = 0.0f;
  float greatest_ = 0.0f;
  size_t wholeCells_ = 0;
};
