#include "world/generator/share_thresholds.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "world/generator/terrain_passes.h"

namespace density_band {

int of(float y, const float bandTop[4]) {
  for (int k = 0; k < 4; ++k) {
    if (y > bandTop[k]) return k;
  }
  return 4;
}

float shape(float v, int band) {
  switch (band) {
    case 0: v = v * v * v; break;
    case 1: v = v * v; break;
    case 2: break;
    case 3: v = std::sqrt(v); break;
    default: v = std::cbrt(v); break;
  }
  return v > 0.0f ? v : 0.0f;
}

// A whole row y is above a border b exactly from floor(b) + 1 on; a NaN border has no row above it.
// Row y is in the first band whose border it is above, so band k starts at the lowest of the first
// rows above borders 0..k.
void firsts(const float bandTop[4], int32_t rows, int32_t first[kBands]) {
  int32_t lowest = rows;
  for (int k = 0; k < 4; ++k) {
    int32_t above = rows;
    const float b = bandTop[k];
    if (b < 0.0f) {
      above = 0;
    } else if (b < static_cast<float>(rows)) {
      above = static_cast<int32_t>(std::floor(b)) + 1;
    }
    lowest = std::min(lowest, above);
    first[k] = lowest;
  }
  first[4] = 0;
}

}  // namespace density_band

namespace {

// Floats in their order as integers (both zeros alike), and back.
int64_t orderKey(float f) {
  const auto bits = std::bit_cast<int32_t>(f);
  return bits >= 0 ? bits : static_cast<int64_t>(std::numeric_limits<int32_t>::min()) - bits;
}

float fromOrderKey(int64_t key) {
  const int64_t bits = key >= 0 ? key : static_cast<int64_t>(std::numeric_limits<int32_t>::min()) - key;
  return std::bit_cast<float>(static_cast<int32_t>(bits));
}

// The least value in least..greatest whose shaped scaled density reaches the share, by halving
// the span between a value that does not and one that does.
float firstReaching(float share, int band, const FieldScale& scale, float least, float greatest) {
  const auto reaches = [&](float f) { return share <= density_band::shape(scale(f), band); };
  if (reaches(least)) return -std::numeric_limits<float>::infinity();
  if (!reaches(greatest)) return std::numeric_limits<float>::infinity();
  int64_t below = orderKey(least), at = orderKey(greatest);
  while (at - below > 1) {
    const int64_t mid = below + (at - below) / 2;
    (reaches(fromOrderKey(mid)) ? at : below) = mid;
  }
  return fromOrderKey(at);
}

}  // namespace

ShareThresholds::ShareThresholds(const GroundTable& table, float least, float greatest, float margin)
    : margin_(margin) {
  const FieldScale scale(least, greatest);
  for (int band = 0; band < density_band::kBands; ++band) {
    for (float share : table.shares) {
      thresholds_[band].push_back(firstReaching(share, band, scale, least, greatest));
    }
  }
  sliceCounts(least, greatest);
}

// A known value lies within the margin of its true value, so inside least..greatest widened by
// it; the slices span that widened by one margin more.
void ShareThresholds::sliceCounts(float least, float greatest) {
  const double margin = margin_;
  const double lo = static_cast<double>(least) - 2.0 * margin, hi = static_cast<double>(greatest) + 2.0 * margin;
  sliced_ = std::isfinite(lo) && std::isfinite(hi) && hi > lo && thresholds_[0].size() < 127;
  if (!sliced_) return;
  const double width = (hi - lo) / kSlices;
  base_ = static_cast<float>(lo);
  perValue_ = static_cast<float>(1.0 / width);
  for (int band = 0; band < density_band::kBands; ++band) {
    slices_[band].resize(kSlices);
    for (int32_t i = 0; i < kSlices; ++i) {
      const double from = lo + (i - 1) * width - margin, to = lo + (i + 2) * width + margin;
      int below = 0, reached = 0;
      for (float t : thresholds_[band]) {
        below += t < from ? 1 : 0;
        reached += t > to ? 0 : 1;
      }
      slices_[band][static_cast<size_t>(i)] = static_cast<int8_t>(below == reached ? below : -1);
    }
  }
}

// NaN values (which no slice holds) are never certain.
void ShareThresholds::countRun(int band, const float* values, int32_t from, int32_t to, int32_t* counts) const {
  if (!sliced_) {
    std::fill(counts + from, counts + to, -1);
    return;
  }
  const int8_t* slices = slices_[static_cast<size_t>(band)].data();
  const float base = base_, perValue = perValue_;
  constexpr float kLast = static_cast<float>(kSlices - 1);
  // The slices first, many rows to an instruction (a NaN takes slice 0, then -1 below), then the
  // counts looked up.
  for (int32_t y = from; y < to; ++y) {
    counts[y] = static_cast<int32_t>(std::min(std::max(0.0f, (values[y] - base) * perValue), kLast));
  }
  for (int32_t y = from; y < to; ++y) counts[y] = values[y] == values[y] ? slices[counts[y]] : -1;
}
