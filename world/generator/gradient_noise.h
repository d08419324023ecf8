#pragma once
// Lattice gradient noise for the world generator (the classic coherent noise with a 256-entry
// permutation, offset 4096 and smoothstep blending), in double precision, in one dimension at a
// point and in two over a whole grid, summed over eight octaves. The tables are drawn from the
// game's random generator when the object is built, so a seed fixes every value. One flat object
// of about 26.7 KB; nothing is allocated per evaluation. Belongs to the thread that builds it.
//
// The 2D noise is only ever wanted over a whole map's grid, so it is only offered through one
// (`FractalGrid`, fractal_grid.h), which gives every sample of the point-by-point fractal sum bit for
// bit at a fraction of the cost.
//
// Values are exact at every coordinate whose offset position (v + 4096) is not negative; below
// that the lattice cell is found by flooring, so the noise stays continuous and every table index
// stays inside its table whatever the coordinate.

#include <array>
#include <cstdint>
#include <vector>

class GradientNoise {
 public:
  static constexpr int kLatticeSize = 256;
  static constexpr int kMask = 255;
  static constexpr int kTableSize = 2 * kLatticeSize + 2;
  static constexpr double kOffset = 4096.0;
  static constexpr int kOctaves = 8;
  // The generator's octave factor: 0.2 in single precision, widened. The excess over 0.2 keeps its
  // sample positions (multiples of 3000) off the integer lattice.
  static constexpr double kOctaveFactor = static_cast<double>(0.2f);

  // Draws the tables: per lattice point one 1D, two 2D and three 3D gradient draws, then the
  // shuffle of the permutation.
  GradientNoise();

  double noise1(double x) const;
  // Sum over eight octaves of noise1(x * beta^k) / alpha^k.
  double noise1DSum(double x, double alpha, double beta) const;

  bool operator==(const GradientNoise&) const = default;

 private:
  // Reads the permutation and the 2D gradients when it prepares a grid.
  friend class FractalGrid;

  std::array<uint32_t, kTableSize> permutation_{};
  std::array<std::array<double, 3>, kTableSize> gradients3_{};
  std::array<std::array<double, 2>, kTableSize> gradients2_{};
  std::array<double, kTableSize> gradients1_{};
};
