#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/base/random.h"
#include "tests/support/whole_fractal_field.h"
#include "world/generator/gradient_noise.h"

namespace {

std::unique_ptr<GradientNoise> noiseAfterSeed(uint32_t seed) {
  engine::randomSeed(seed);
  return std::make_unique<GradientNoise>();
}

TEST(GradientNoise, SameSeedSameTablesOtherSeedOtherValues) {
  const auto a = noiseAfterSeed(42);
  const auto b = noiseAfterSeed(42);
  const auto c = noiseAfterSeed(43);
  EXPECT_TRUE(*a == *b);
  EXPECT_FALSE(*a == *c);
}

// The slope of noise1 at lattice point n is gradients1 of permutation[n]. Over one lattice period
// the slopes are therefore exactly the 1D gradient draws (every sixth draw of the construction),
// in shuffled order: this pins the draw order without copying the shuffle.
TEST(GradientNoise, OneDimensionalSlopesAreTheFirstDrawOfEveryLatticePoint) {
  engine::randomSeed(9);
  std::vector<double> drawn;
  for (int i = 0; i < 256; ++i) {
    drawn.push_back(static_cast<double>((engine::randomNext() % 512) - 256) / 256.0);
    for (int skip = 0; skip < 5; ++skip) engine::randomNext();
  }
  const auto noise = noiseAfterSeed(9);
  std::vector<double> slopes;
  // So close to the lattice point the blend toward the next gradient is far below the 1/256
  // spacing of the gradient values, and rounding recovers the gradient exactly.
  constexpr double kStep = 1.0 / 1048576.0;
  for (int n = 0; n < 256; ++n) {
    slopes.push_back(std::round(noise->noise1(n + kStep) / kStep * 256.0) / 256.0);
  }
  std::sort(drawn.begin(), drawn.end());
  std::sort(slopes.begin(), slopes.end());
  EXPECT_EQ(slopes, drawn);
}

TEST(GradientNoise, TheWidenedFactorKeepsSamplePositionsOffTheLattice) {
  const auto noise = noiseAfterSeed(11);
  // With an exact 0.2 the second octave of a multiple of 3000 lands on the lattice and adds nothing.
  EXPECT_EQ(noise->noise1(3000.0 * 0.2), 0.0);
  EXPECT_NE(noise->noise1(3000.0 * GradientNoise::kOctaveFactor), 0.0);
  EXPECT_NE(noise->noise1DSum(3000.0, GradientNoise::kOctaveFactor, GradientNoise::kOctaveFactor), 0.0);
}

bool allFinite(const std::vector<float>& values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// The lattice repeats every 256 units, below the -4096 offset as well as above it.
TEST(GradientNoise, BelowTheOffsetTheNoiseKeepsItsPeriodAndStaysInRange) {
  const auto noise = noiseAfterSeed(21);
  for (double x : {0.25, 200.9}) {
    for (double shift : {-4352.0, -1048576.0}) {
      EXPECT_NEAR(noise->noise1(x + shift), noise->noise1(x), 1e-6) << x << " " << shift;
    }
  }
  for (double far : {-1e12, 1e300}) {
    std::vector<float> field(9);
    testsupport::fillWholeFractalField(*noise, 3, 3, far, 0.5, 2.0, field.data());
    EXPECT_TRUE(allFinite(field)) << far;
    EXPECT_TRUE(std::isfinite(noise->noise1DSum(far, 0.5, 2.0))) << far;
  }
}

// Seed 1599 draws both components of one 2D gradient as -256 + 512k, a zero vector; normalising it
// must not turn the noise around that lattice point into NaN.
TEST(GradientNoise, AZeroGradientDrawStaysFinite) {
  const auto noise = noiseAfterSeed(1599);
  // Every half-cell point of one lattice period, each octave on the same point (no scaling).
  std::vector<float> field(512 * 512);
  testsupport::fillWholeFractalField(*noise, 512, 512, 0.5, 1.0, 1.0, field.data());
  EXPECT_TRUE(allFinite(field));
}

}  // namespace
