// The fast noise against the noise as first written (reference_noise.h): the same doubles and the
// same floats, bit for bit, wherever generation or anyone else samples it.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "engine/base/random.h"
#include "tests/world/generator/reference_noise.h"
#include "tests/support/whole_fractal_field.h"
#include "world/generator/gradient_noise.h"

namespace {

using noise_test::ReferenceNoise;

constexpr double kFactor = GradientNoise::kOctaveFactor;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct NoisePair {
  std::unique_ptr<GradientNoise> fast;
  std::unique_ptr<ReferenceNoise> reference;
};

NoisePair noisesAfterSeed(uint32_t seed) {
  NoisePair pair;
  engine::randomSeed(seed);
  pair.fast = std::make_unique<GradientNoise>();
  engine::randomSeed(seed);
  pair.reference = std::make_unique<ReferenceNoise>();
  return pair;
}

uint64_t bits(double v) { return std::bit_cast<uint64_t>(v); }
uint32_t bits(float v) { return std::bit_cast<uint32_t>(v); }

// Coordinates where wrapping can go wrong: around the offset (-4096) and below it, on and beside
// the 256-unit lattice period, halves, the edges of exact integer conversion, and the non-finite.
std::vector<double> edgeCoordinates() {
  std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 255.0, 255.5, 256.0, 256.5, 511.999, 3000.0,
                                -4095.5, -4096.0, -4096.5, -4097.0, -4351.0, -4352.0, -4352.5, -4608.0, -8192.0,
                                -1048576.0, 0x1p52, 0x1p53, 0x1p53 + 2.0, 0x1p60, 0x1p62, 0x1p63, 0x1p64, -0x1p52,
                                -0x1p53, -0x1p62, -0x1p63, 1e300, -1e300, 5e-324, kInf, -kInf,
                                std::numeric_limits<double>::quiet_NaN()};
  for (double period = -4096.0 - 512.0; period <= 4096.0; period += 256.0) {
    for (double v : {period, std::nextafter(period, -kInf), std::nextafter(period, kInf), period - 0.5, period + 0.5}) {
      values.push_back(v);
    }
  }
  return values;
}

void expectSameNoise(const NoisePair& n, double x) {
  EXPECT_EQ(bits(n.fast->noise1(x)), bits(n.reference->noise1(x))) << x;
  EXPECT_EQ(bits(n.fast->noise1DSum(x, kFactor, kFactor)), bits(n.reference->noise1DSum(x, kFactor, kFactor))) << x;
}

// The grid fill against a loop of the reference's point-by-point fractal sum, bit for bit (a NaN
// only as a NaN: its sign and payload are the processor's choice).
void expectGridIsReference(const NoisePair& n, int32_t columns, int32_t rows, double step, double alpha, double beta) {
  std::vector<float> field(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  testsupport::fillWholeFractalField(*n.fast, columns, rows, step, alpha, beta, field.data());
  for (int32_t x = 0; x < columns; ++x) {
    for (int32_t y = 0; y < rows; ++y) {
      const float expected = static_cast<float>(n.reference->fractal2D(x * step, y * step, alpha, beta));
      const float got = field[static_cast<size_t>(x) * static_cast<size_t>(rows) + static_cast<size_t>(y)];
      if (std::isnan(expected)) {
        ASSERT_TRUE(std::isnan(got)) << x << "," << y;
      } else {
        ASSERT_EQ(bits(got), bits(expected)) << x << "," << y;
      }
    }
  }
}

TEST(NoiseAgainstReference, EdgeCoordinatesGiveTheSameBits) {
  const std::vector<double> edges = edgeCoordinates();
  for (uint32_t seed : {5u, 1599u}) {
    const NoisePair n = noisesAfterSeed(seed);
    for (double x : edges) expectSameNoise(n, x);
  }
}

// Each edge coordinate as the grid's step: the samples 0, step and 2 * step along both axes.
TEST(NoiseAgainstReference, EdgeStepsGiveTheSameGrid) {
  for (uint32_t seed : {5u, 1599u}) {
    const NoisePair n = noisesAfterSeed(seed);
    for (double step : edgeCoordinates()) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
      expectGridIsReference(n, 3, 3, step, 0.5, 2.0);
    }
  }
}

TEST(NoiseAgainstReference, RandomCoordinatesGiveTheSameBits) {
  const NoisePair n = noisesAfterSeed(77);
  std::mt19937_64 draw(2024);
  std::uniform_real_distribution<double> near(-20000.0, 20000.0);
  std::uniform_int_distribution<int64_t> whole(-3000000, 3000000);
  for (int i = 0; i < 4000; ++i) {
    expectSameNoise(n, near(draw));
    expectSameNoise(n, static_cast<double>(whole(draw)) + 0.5);
    // Any bit pattern at all: tiny, huge, negative, infinite, NaN.
    expectSameNoise(n, std::bit_cast<double>(draw()));
  }
  for (int i = 0; i < 500; ++i) {
    expectGridIsReference(n, 2, 2, near(draw), 0.5, 2.0);
    expectGridIsReference(n, 2, 2, std::bit_cast<double>(draw()), 0.5, 2.0);
  }
}

// Every coordinate the largest world samples along one axis (five band curves of 4096 columns,
// the surface, every column and row of the field, each through its eight octaves) wraps as before.
TEST(NoiseAgainstReference, EveryAxisCoordinateOfTheLargestWorldWrapsAsBefore) {
  const NoisePair n = noisesAfterSeed(1);
  for (int32_t i = 0; i < 5 * 4096; ++i) {
    double v = static_cast<double>(i) * 3000.0;
    for (int k = 0; k < GradientNoise::kOctaves; ++k) {
      ASSERT_EQ(bits(n.fast->noise1(v)), bits(n.reference->noise1(v))) << i << " octave " << k;
      v *= kFactor;
    }
  }
}

// The grid fill against a loop of the reference's fractal2D: the world's own sampling (where the
// first octave lies on the lattice and is skipped), steps that put every octave on the lattice,
// none of them, or negative and infinite positions, and a zero falloff, whose divisor of 0 turns an
// all-zero octave into NaN, so it must not be skipped.
TEST(NoiseAgainstReference, TheGridFillIsFractal2DBitForBit) {
  const struct { int32_t columns, rows; double step, alpha, beta; } grids[] = {
      {512, 128, 3000.0, kFactor, kFactor}, {33, 17, 1.0, 0.5, 2.0},     {19, 13, 0.37, 0.5, 2.0},
      {16, 9, 0.5, 0.5, 2.0},               {21, 7, -3000.0, kFactor, kFactor}, {6, 5, 1e306, 0.5, 2.0},
      {7, 6, 3000.0, 0.0, kFactor},         {5, 4, 1.0, 0.0, 0.0},       {4, 3, 255.5, 2.0, 0.5},
  };
  const NoisePair n = noisesAfterSeed(31);
  for (const auto& g : grids) {
    SCOPED_TRACE(testing::Message() << g.columns << "x" << g.rows << " step " << g.step << " alpha " << g.alpha);
    expectGridIsReference(n, g.columns, g.rows, g.step, g.alpha, g.beta);
  }
  std::vector<float> zeroFalloff(12);
  testsupport::fillWholeFractalField(*n.fast, 4, 3, 1.0, 0.0, 0.0, zeroFalloff.data());
  EXPECT_TRUE(std::isnan(zeroFalloff[5])) << "the zero divisor was met, not skipped";
}

TEST(NoiseAgainstReference, AnEmptyGridWritesNothing) {
  const NoisePair n = noisesAfterSeed(3);
  std::vector<float> field(4, 7.0f);
  testsupport::fillWholeFractalField(*n.fast, 0, 4, 3000.0, kFactor, kFactor, field.data());
  testsupport::fillWholeFractalField(*n.fast, 4, -1, 3000.0, kFactor, kFactor, field.data());
  EXPECT_EQ(field, std::vector<float>(4, 7.0f));
}

}  // namespace
