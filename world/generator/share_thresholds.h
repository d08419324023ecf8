#pragma once
// Where in the noise map's raw field each share of the ground table is first reached, band by
// band: a cell's count of shares reached (what the noise map lays) is the count of its band's
// thresholds at or below its field value. Scaling and shaping only ever rise with the value, so
// the count does too; the cube root may stray by an ulp from that, which moves a threshold by far
// less than the margin. With a field known only to within a margin, a cell whose value lies
// farther than the margin from every threshold of its band has its count for certain; the others
// are marked to be made whole.
//
// Plain data and arithmetic; any thread.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/generator/field_scale.h"

struct GroundTable;

namespace density_band {

constexpr int kBands = 5;

// The band of row y under the column's four band borders: 0 (cubed) at the top to 4 (cube root)
// at the bottom.
int of(float y, const float bandTop[4]);
// The shaping of a scaled density in the band: v^3, v^2, v, √v, ∛v, and never below 0.
float shape(float v, int band);
// The first row of each band (bands lie in row order, 4 lowest): first[4] is 0, and band k holds
// rows [first[k], first[k - 1]) with first[-1] taken as `rows`.
void firsts(const float bandTop[4], int32_t rows, int32_t first[kBands]);

}  // namespace density_band

class ShareThresholds {
 public:
  // The field spans least..greatest (the exact extremes); `margin` bounds how far a known value
  // may lie from the field's true value.
  ShareThresholds(const GroundTable& table, float least, float greatest, float margin);

  // Rows [from, to) of one band: counts[y] the count of shares values[y] reaches for certain,
  // or -1 where a threshold lies within the margin.
  void countRun(int band, const float* values, int32_t from, int32_t to, int32_t* counts) const;
  // The threshold of a share in a band: the least field value that reaches it (-inf when every
  // value does, +inf when none does).
  float threshold(int band, size_t share) const { return thresholds_[static_cast<size_t>(band)][share]; }

 private:
  // The known values are cut into this many equal slices; a slice holds the count its values
  // reach when no threshold lies within the margin of it or of its neighbours, else -1. Rounding
  // may place a value a slice off, or several where the span is small beside the values
  // themselves; the margin's own slack (2^-16 of the largest value) covers those too.
  static constexpr int32_t kSlices = 8192;
  void sliceCounts(float least, float greatest);

  std::vector<float> thresholds_[density_band::kBands];
  float margin_;
  bool sliced_ = false;  // false when no count is certain (a flat field, or no finite margin)
  float base_ = 0.0f;
  float perValue_ = 0.0f;  // slices per field unit
  std::vector<int8_t> slices_[density_band::kBands];
};
