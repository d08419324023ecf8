#pragma once
// The lattice arithmetic of the gradient noise, shared by the point noise and the prepared grid:
// the cell a coordinate lies in (offset and wrapped) with its offsets from the cell's two corners,
// and the smoothstep blend weight.

#include <cmath>
#include <cstdint>

#include "world/generator/gradient_noise.h"

namespace noise_lattice {

constexpr double kOffset = GradientNoise::kOffset;
constexpr int kMask = GradientNoise::kMask;

struct Lattice {
  int b0;
  int b1;
  double r0;
  double r1;
};

// The lattice cell of an integral coordinate, wrapped into 0..255 as a floored modulo (-1 is 255).
// Below 2^62 in magnitude the coordinate converts to a 64-bit integer exactly and its low byte is
// that modulo in two's complement; above, every double is a multiple of 256, so the cell is 0, and
// infinities and NaN take cell 0 too.
inline int wrapCell(double cell) {
  constexpr double kExactLimit = 4611686018427387904.0;  // 2^62
  if (!(std::fabs(cell) < kExactLimit)) return 0;
  return static_cast<int>(static_cast<int64_t>(cell) & kMask);
}

inline Lattice latticeOf(double v) {
  const double t = v + kOffset;
  const double cell = std::floor(t);  // equals trunc while t >= 0
  const int b0 = wrapCell(cell);
  const double r0 = t - cell;
  return {b0, (b0 + 1) & kMask, r0, r0 - 1.0};
}

inline double sCurve(double r) { return r * r * (3.0 - 2.0 * r); }

}  // namespace noise_lattice
