// The noise map's bands and thresholds: the band borders' rows agree with the band of every row,
// each threshold is the least field value that reaches its share, and a certain count is the count
// the whole value's scaled and shaped density reaches.
#include "world/generator/share_thresholds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "world/generator/terrain_passes.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(DensityBand, TheBandsFirstRowsAgreeWithEveryRowsBand) {
  std::mt19937 random(17);
  std::uniform_real_distribution<float> border(-20.0f, 140.0f);
  std::vector<std::vector<float>> cases = {{90.0f, 70.0f, 50.0f, 30.0f}, {30.5f, 70.0f, -0.5f, 50.0f},
                                           {kNaN, 60.0f, kNaN, 10.0f},   {-0.0f, -1.0f, 128.0f, 127.5f}};
  for (int i = 0; i < 200; ++i) cases.push_back({border(random), border(random), border(random), border(random)});
  constexpr int32_t kRows = 128;
  for (const auto& top : cases) {
    int32_t first[density_band::kBands];
    density_band::firsts(top.data(), kRows, first);
    for (int32_t y = 0; y < kRows; ++y) {
      int band = density_band::kBands - 1;
      while (band > 0 && y >= first[band - 1]) --band;
      ASSERT_EQ(band, density_band::of(static_cast<float>(y), top.data())) << "row " << y;
    }
  }
}

TEST(DensityBand, ShapingIsTheShapeOfTheRowsBand) {
  const float top[4] = {40.0f, 30.0f, 20.0f, 10.0f};
  for (float y : {45.0f, 35.0f, 25.0f, 15.0f, 5.0f}) {
    for (float v : {0.0f, 0.125f, 0.5f, 0.9f, 1.0f}) {
      EXPECT_EQ(shapeDensity(v, y, top), density_band::shape(v, density_band::of(y, top)));
    }
  }
  EXPECT_EQ(density_band::shape(0.5f, 0), 0.125f);
  EXPECT_EQ(density_band::shape(0.25f, 3), 0.5f);
  EXPECT_EQ(density_band::shape(-0.5f, 2), 0.0f);
}

GroundTable tableOf(std::vector<float> shares) {
  GroundTable table;
  for (size_t i = 0; i < shares.size(); ++i) table.blocks.push_back(static_cast<uint16_t>(i + 1));
  table.shares = std::move(shares);
  return table;
}

int wholeCount(const GroundTable& table, const FieldScale& scale, float value, int band) {
  const float density = density_band::shape(scale(value), band);
  uint16_t count = 0;
  countSharesAtOrBelow(table, &density, 1, &count);
  return count;
}

TEST(ShareThresholds, EachThresholdIsTheLeastValueReachingItsShare) {
  const GroundTable table = tableOf({0.0f, 0.2f, 0.45f, 0.7f, 1.0f, 1.5f});
  const float least = -1234.5f, greatest = 987.25f;
  const ShareThresholds thresholds(table, least, greatest, 1.0f);
  const FieldScale scale(least, greatest);
  for (int band = 0; band < density_band::kBands; ++band) {
    EXPECT_EQ(thresholds.threshold(band, 0), -std::numeric_limits<float>::infinity()) << "every density reaches 0";
    EXPECT_EQ(thresholds.threshold(band, 5), std::numeric_limits<float>::infinity()) << "none reaches 1.5";
    for (size_t share = 1; share + 1 < table.shares.size(); ++share) {
      const float t = thresholds.threshold(band, share);
      EXPECT_LE(table.shares[share], density_band::shape(scale(t), band));
      EXPECT_GT(table.shares[share], density_band::shape(scale(std::nextafter(t, least)), band));
    }
  }
}

TEST(ShareThresholds, ACertainCountIsTheWholeValuesCount) {
  const GroundTable table = tableOf({0.05f, 0.1f, 0.3f, 0.31f, 0.6f, 0.6f, 0.95f, 1.0f});
  const float least = -60000.0f, greatest = 61000.0f, margin = 200.0f;
  const ShareThresholds thresholds(table, least, greatest, margin);
  const FieldScale scale(least, greatest);
  std::mt19937 random(23);
  std::uniform_real_distribution<float> field(least, greatest);
  std::uniform_real_distribution<float> offset(-margin, margin);
  constexpr int32_t kRows = 4000;
  std::vector<float> known(kRows), whole(kRows);
  for (int32_t i = 0; i < kRows; ++i) {
    whole[i] = i < 8 ? (i % 2 == 0 ? least : greatest) : field(random);
    known[i] = whole[i] + offset(random);
  }
  known[9] = kNaN;
  for (int band = 0; band < density_band::kBands; ++band) {
    std::vector<int32_t> counts(kRows, 99);
    thresholds.countRun(band, known.data(), 0, kRows, counts.data());
    int certain = 0;
    for (int32_t i = 0; i < kRows; ++i) {
      if (counts[i] < 0) continue;
      ++certain;
      ASSERT_EQ(counts[i], wholeCount(table, scale, whole[i], band)) << "band " << band << " row " << i;
    }
    EXPECT_EQ(counts[9], -1) << "a NaN is never certain";
    EXPECT_GT(certain, kRows * 3 / 4) << "most values lie away from every threshold";
  }
}

TEST(ShareThresholds, NoCountIsCertainWithoutAFiniteMargin) {
  const GroundTable table = tableOf({0.5f});
  const float values[3] = {0.0f, 1.0f, 2.0f};
  const ShareThresholds thresholds(table, 0.0f, 2.0f, std::numeric_limits<float>::infinity());
  int32_t counts[3] = {7, 7, 7};
  thresholds.countRun(2, values, 0, 3, counts);
  EXPECT_EQ(counts[0], -1);
  EXPECT_EQ(counts[2], -1);
}

TEST(ShareThresholds, AFlatFieldReachesOnlyTheSharesOfZero) {
  const GroundTable table = tableOf({0.0f, 0.5f});
  const float values[2] = {1.0f, 1.0f};
  const ShareThresholds thresholds(table, 1.0f, 1.0f, 0.5f);
  int32_t counts[2] = {7, 7};
  thresholds.countRun(4, values, 0, 2, counts);
  EXPECT_EQ(counts[0], 1);
  EXPECT_EQ(counts[1], 1);
}

}  // namespace
