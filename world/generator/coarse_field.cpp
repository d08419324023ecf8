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
  columnLeast_.resize(static_cast<size_t>(columns));
  columnGreatest_.resize(static_cast<size_t>(columns));
  for (int32_t x = 0; x < columns; ++x) {
    if (beforeColumn) beforeColumn();
    std::fill(sums.begin(), sums.end(), 0.0);
    grid.addOctaves(x, firstOctave, sums.data());
    float* out = values_.data() + static_cast<size_t>(x) * static_cast<size_t>(rows_);
    for (int32_t y = 0; y < rows_; ++y) out[y] = static_cast<float>(sums[static_cast<size_t>(y)]);
    float& least = columnLeast_[static_cast<size_t>(x)];
    float& greatest = columnGreatest_[static_cast<size_t>(x)];
    least = std::numeric_limits<float>::infinity();
    greatest = -least;
    widenExtremes(out, rows_, least, greatest);
  }
  const float coarseLeast = columns > 0 ? *std::min_element(columnLeast_.begin(), columnLeast_.end()) : 0.0f;
  const float coarseGreatest = columns > 0 ? *std::max_element(columnGreatest_.begin(), columnGreatest_.end()) : 0.0f;
  const double left = grid.boundBelow(firstOctave);
  const double largest = std::max(std::fabs(static_cast<double>(coarseLeast)), std::fabs(static_cast<double>(coarseGreatest)));
  margin_ = static_cast<float>(left * (1.0 + kRoundingShare) + (largest + left) * kRoundingShare);
  if (!std::isfinite(margin_)) margin_ = std::numeric_limits<float>::infinity();
  findExtremes(grid, coarseLeast, coarseGreatest);
}

// Only a cell whose coarse value lies within twice the margin of the coarse extreme can hold the
// whole extreme, and only columns whose own extremes reach that far are looked through.
// Candidates are made whole in the field's order and a value replaces the one kept only when
// strictly beyond it, so of two equal zeros the first is kept, as a walk over the whole field would
// keep it. A NaN is never an extreme.
void CoarseField::findExtremes(const FractalGrid& grid, float coarseLeast, float coarseGreatest) {
  const float reach = 2.0f * margin_;
  const float lowCut = coarseLeast + reach, highCut = coarseGreatest - reach;
  bool any = false;
  for (int32_t x = 0; x < grid.columns(); ++x) {
    const float least = columnLeast_[static_cast<size_t>(x)], greatest = columnGreatest_[static_cast<size_t>(x)];
    if (least > lowCut && greatest < highCut) continue;
    findExtremesIn(grid, x, lowCut, highCut, any);
  }
}

void CoarseField::findExtremesIn(const FractalGrid& grid, int32_t x, float lowCut, float highCut, bool& any) {
  const float* values = column(x);
  for (int32_t y = 0; y < rows_; ++y) {
    if (values[y] > lowCut && values[y] < highCut) continue;
    const float whole = grid.sample(x, y);
    ++wholeCells_;
    if (whole != whole) continue;
    if (!any) {
      least_ = greatest_ = whole;
      any = true;
      continue;
    }
    least_ = whole < least_ ? whole : least_;
    greatest_ = greatest_ < whole ? whole : greatest_;
  }
}
