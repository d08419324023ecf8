// The prepared grid gives the whole fill's samples one at a time or row by row, its octave tails
// stay within the bound it states of the whole sums, and the coarse field made from a tail holds
// every whole value within its margin and finds the whole field's exact extremes.
#include "world/generator/fractal_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/base/random.h"
#include "tests/support/whole_fractal_field.h"
#include "world/generator/coarse_field.h"
#include "world/generator/gradient_noise.h"

namespace {

constexpr double kFactor = GradientNoise::kOctaveFactor;

std::unique_ptr<GradientNoise> noiseAfterSeed(uint32_t seed) {
  engine::randomSeed(seed);
  return std::make_unique<GradientNoise>();
}

uint32_t bits(float v) { return std::bit_cast<uint32_t>(v); }

struct GridCase {
  int32_t columns, rows;
  double step, alpha, beta;
};

// The world's own sampling, steps that put every octave on the lattice or none, a falloff above 1.
const GridCase kGrids[] = {
    {96, 64, 3000.0, kFactor, kFactor}, {33, 17, 1.0, 0.5, 2.0}, {19, 13, 0.37, 0.5, 2.0}, {12, 9, 255.5, 2.0, 0.5}};

TEST(FractalGrid, SamplesAndRowsAreTheFillBitForBit) {
  const auto noise = noiseAfterSeed(7);
  for (const GridCase& g : kGrids) {
    SCOPED_TRACE(testing::Message() << g.columns << "x" << g.rows << " step " << g.step);
    std::vector<float> fill(static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows));
    testsupport::fillWholeFractalField(*noise, g.columns, g.rows, g.step, g.alpha, g.beta, fill.data());
    const FractalGrid grid(*noise, g.columns, g.rows, g.step, g.alpha, g.beta);
    std::vector<int32_t> odd;
    for (int32_t y = 1; y < g.rows; y += 2) odd.push_back(y);
    std::vector<double> sums(odd.size());
    std::vector<float> rows(odd.size());
    for (int32_t x = 0; x < g.columns; ++x) {
      const float* column = fill.data() + static_cast<size_t>(x) * static_cast<size_t>(g.rows);
      for (int32_t y = 0; y < g.rows; ++y) ASSERT_EQ(bits(grid.sample(x, y)), bits(column[y])) << x << "," << y;
      grid.sampleRows(x, odd.data(), static_cast<int32_t>(odd.size()), sums.data(), rows.data());
      for (size_t i = 0; i < odd.size(); ++i) ASSERT_EQ(bits(rows[i]), bits(column[odd[i]])) << x << "," << odd[i];
    }
  }
}

TEST(FractalGrid, EveryTailLiesWithinItsBoundOfTheWholeSum) {
  const auto noise = noiseAfterSeed(11);
  const GridCase& g = kGrids[0];
  const FractalGrid grid(*noise, g.columns, g.rows, g.step, g.alpha, g.beta);
  EXPECT_EQ(grid.boundBelow(0), 0.0);
  EXPECT_EQ(grid.boundBelow(1), 0.0) << "the first octave lies on the lattice and adds nothing";
  std::vector<double> whole(static_cast<size_t>(g.rows)), tail(whole.size());
  for (int first = 1; first < FractalGrid::kOctaves; ++first) {
    const double bound = grid.boundBelow(first);
    EXPECT_GE(bound, grid.boundBelow(first - 1));
    double widest = 0.0;
    for (int32_t x = 0; x < g.columns; ++x) {
      std::fill(whole.begin(), whole.end(), 0.0);
      std::fill(tail.begin(), tail.end(), 0.0);
      grid.addOctaves(x, 0, whole.data());
      grid.addOctaves(x, first, tail.data());
      for (size_t y = 0; y < whole.size(); ++y) widest = std::max(widest, std::fabs(whole[y] - tail[y]));
    }
    EXPECT_LE(widest, bound) << "octaves below " << first;
    EXPECT_LE(bound, 64.0 * widest + 1e-9) << "the bound is not loose beyond use";
  }
}

TEST(FractalGrid, AZeroDivisorLeavesNoFiniteBound) {
  const auto noise = noiseAfterSeed(3);
  const FractalGrid grid(*noise, 4, 3, 0.37, 0.0, 2.0);
  EXPECT_TRUE(std::isfinite(grid.boundBelow(1)));
  EXPECT_GT(grid.boundBelow(1), 0.0);
  EXPECT_TRUE(std::isinf(grid.boundBelow(2)));
}

TEST(CoarseField, HoldsEveryWholeValueWithinItsMarginAndFindsTheExactExtremes) {
  const GridCase& g = kGrids[0];
  for (uint32_t seed : {5u, 6u}) {
    const auto noise = noiseAfterSeed(seed);
    std::vector<float> fill(static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows));
    testsupport::fillWholeFractalField(*noise, g.columns, g.rows, g.step, g.alpha, g.beta, fill.data());
    const FractalGrid grid(*noise, g.columns, g.rows, g.step, g.alpha, g.beta);
    for (int first : {2, 4, 6}) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " from octave " << first);
      int columns = 0;
      const CoarseField field(grid, first, [&columns] { ++columns; });
      EXPECT_EQ(columns, g.columns);
      EXPECT_EQ(bits(field.least()), bits(*std::min_element(fill.begin(), fill.end())));
      EXPECT_EQ(bits(field.greatest()), bits(*std::max_element(fill.begin(), fill.end())));
      if (first <= 4) {
        EXPECT_LT(field.wholeCells(), fill.size() / 64) << "few cells are made whole";
      }
      for (int32_t x = 0; x < g.columns; ++x) {
        for (int32_t y = 0; y < g.rows; ++y) {
          const float whole = fill[static_cast<size_t>(x) * static_cast<size_t>(g.rows) + static_cast<size_t>(y)];
          ASSERT_LE(std::fabs(field.column(x)[y] - whole), field.margin()) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
