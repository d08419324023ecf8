#include "world/generator/coarse_field.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "world/generator/fractal_grid.h"

namespace {

// Beyond the octaves left out, a coarse and a whole value differ by their roundings (double sums,
// then float): a few float ulps of the largest value. The margin allows many more, which also
// covers the ulps by which the thresholds' shaping may stray.
constexpr double kRoundingShare = 1.0 / 65536.0;

// The least and greatest of a column's values, eight lanes at a time so that the compiler keeps
// them in vectors.
void widenExtremes(const float* values, int32_t count, float& least, float& greatest) {
  constexpr int32_t kLanes = 8;
  float lo[kLanes], hi[kLanes];
  std::fill(lo, lo + kLanes, least);
  std::fill(hi, hi + kLanes, greatest);
  int32_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    for (int32_t lane = 0; lane < kLanes; ++lane) {
      const float v = values[i + lane];
      lo[lane] = v < lo[lane] ? v : lo[lane];
      hi[lane] = hi[lane] < v ? v : hi[lane];
    }
  }
  for (; i < count; ++i) {
    lo[0] = values[i] < lo[0] ? values[i] : lo[0];
    hi[0] = hi[0] < values[i] ? values[i] : hi[0];
  }
  least = *std::min_element(lo, lo + kLanes);
  greatest = *std::max_element(hi, hi + kLanes);
}

}  // namespace

CoarseField::CoarseField(const FractalGrid& grid, int firstOctave, const std::function<void()>& beforeColumn)
    : rows_(grid.rows()) {
  const int32_t columns = grid.columns();
  values_.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows_));
  std::vector<double> sums(static_cast<size_t>(rows_));
  float coarseLeast = std::numeric_limits<float>::infinity();
  float coarseGreatest = -coarseLeast;
  for (int32_t x = 0; x < columns; ++x) {
    if (beforeColumn) beforeColumn();
    std::fill(sums.begin(), sums.end(), 0.0);
    grid.addOctaves(x, firstOctave, sums.data());
    float* out = values_.data() + static_cast<size_t>(x) * static_cast<size_t>(rows_);
    for (int32_t y = 0; y < rows_; ++y) out[y] = static_cast<float>(sums[static_cast<size_t>(y)]);
    widenExtremes(out, rows_, coarseLeast, coarseGreatest);
  }
  const double left = grid.boundBelow(firstOctave);
  const double largest = std::max(std::fabs(static_cast<double>(coarseLeast)), std::fabs(static_cast<double>(coarseGreatest)));
  margin_ = static_cast<float>(left * (1.0 + kRoundingShare) + (largest + left) * kRoundingShare);
  if (!std::isfinite(margin_)) margin_ = std::numeric_limits<float>::infinity();
  findExtremes(grid, coarseLeast, coarseGreatest);
}

// Only a cell whose coarse value lies within twice the margin of the coarse extreme can hold the
// whole extreme. Candidates are made whole in the field's order and a value replaces the one kept
// only when strictly beyond it, so of two equal zeros the first is kept, as a walk over the whole
// field would keep it.
void CoarseField::findExtremes(const FractalGrid& grid, float coarseLeast, float coarseGreatest) {
  const float reach = 2.0f * margin_;
  const float lowCut = coarseLeast + reach, highCut = coarseGreatest - reach;
  bool any = false;
  for (size_t i = 0; i < values_.size(); ++i) {
    const float v = values_[i];
    if (v > lowCut && v < highCut) continue;
    const auto x = static_cast<int32_t>(i / static_cast<size_t>(rows_));
    const auto y = static_cast<int32_t>(i % static_cast<size_t>(rows_));
    const float whole = grid.sample(x, y);
    ++wholeCells_;
    if (!any) {
      least_ = greatest_ = whole;
      any = true;
      continue;
    }
    least_ = whole < least_ ? whole : least_;
    greatest_ = greatest_ < whole ? whole : greatest_;
  }
}
