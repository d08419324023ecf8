#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "content/planets/planet_rules.h"
#include "engine/base/random.h"
#include "tests/support/whole_fractal_field.h"
#include "world/generator/field_scale.h"
#include "world/generator/gradient_noise.h"
#include "tests/world/generator/generator_fixture.h"
#include "world/generator/terrain_passes.h"
#include "world/liquid/liquid_simulator.h"

namespace {

// The place in the table of the first block whose share exceeds v, found one share at a time;
// kNone when none does or that block is 0 (no ground). The generator counts a column at once.
size_t rowFor(const GroundTable& table, float v) {
  for (size_t row = 0; row < table.shares.size(); ++row) {
    if (table.shares[row] > v) return table.blocks[row] != 0 ? row : GroundTable::kNone;
  }
  return GroundTable::kNone;
}

using namespace world_test;

class TerrainPassesTest : public GeneratorTest {};

TEST_F(TerrainPassesTest, NoiseMapIsDenseAtDepthAndSparseNearTheTop) {
  planet().terrainBlocks = {{0, 1}, {kStone, 1}};  // air below the half share
  WorldGenerator& g = makeWorld(256, 128);
  generateNoiseMap(g);
  auto filled = [&](int32_t y0, int32_t y1) {
    int n = 0;
    for (int32_t x = 0; x < 256; ++x) {
      for (int32_t y = y0; y < y1; ++y) n += map().cell(x, y).frontId() != 0;
    }
    return n;
  };
  EXPECT_GT(filled(0, 20), filled(100, 120)) << "the cube root band is denser than the cubed one";
  for (int32_t x = 0; x < 256; ++x) {
    ASSERT_EQ(map().cell(x, 3).frontId(), map().cell(x, 3).backId()) << "ground goes in front and behind";
  }
}

// The ground block of every cell as the whole field gives it: every sample of every octave, scaled
// between the field's extremes, shaped by band and counted against the shares; 0 for none.
std::vector<uint16_t> wholeFieldGround(const GroundTable& table, int32_t w, int32_t h, int32_t sky) {
  constexpr double kStep = 3000.0, kFactor = GradientNoise::kOctaveFactor;
  const auto noise = std::make_unique<GradientNoise>();
  std::vector<float> curves(static_cast<size_t>(5 * w));
  for (int k = 0; k < 5; ++k) {
    for (int32_t x = 0; x < w; ++x) {
      curves[static_cast<size_t>(k * w + x)] = static_cast<float>(noise->noise1DSum((w * k + x) * kStep, kFactor, kFactor));
    }
    normalizeToRange(&curves[static_cast<size_t>(k * w)], 15.0f, w);
  }
  std::vector<float> field(static_cast<size_t>(w * h));
  testsupport::fillWholeFractalField(*noise, w, h, kStep, kFactor, kFactor, field.data());
  const FieldScale scale(*std::min_element(field.begin(), field.end()), *std::max_element(field.begin(), field.end()));
  const int32_t rows = h - sky, band = rows / 5;
  std::vector<uint16_t> ground(field.size(), 0);
  for (int32_t x = 0; x < w; ++x) {
    float top[4];
    for (int k = 0; k < 4; ++k) top[k] = static_cast<float>(rows - (k + 1) * band) + curves[static_cast<size_t>(k * w + x)] - 7.0f;
    for (int32_t y = 0; y < h; ++y) {
      const size_t i = static_cast<size_t>(x * h + y);
      const float density = shapeDensity(scale(field[i]), static_cast<float>(y), top);
      uint16_t count = 0;
      countSharesAtOrBelow(table, &density, 1, &count);
      if (count < table.blocks.size()) ground[i] = table.blocks[count];
    }
  }
  return ground;
}

// The noise map judges most cells from its heaviest octaves only; every cell must still hold the
// block the whole field gives, with a table of many close shares, for several seeds.
TEST_F(TerrainPassesTest, NoiseMapLaysTheBlockOfTheWholeFieldInEveryCell) {
  planet().terrainBlocks = {{kStone, 3}, {0, 2}, {kOre, 1}, {kStone, 1}, {0, 1}, {kOre, 4},
                            {kStone, 2}, {kOre, 1}, {0, 1}, {kStone, 1}, {kOre, 2}};
  const GroundTable table = buildGroundTable(planet().terrainBlocks);
  for (uint32_t seed : {1u, 2u, 3u}) {
    WorldGenerator& g = makeWorld(384, 192);
    engine::randomSeed(seed);
    generateNoiseMap(g);
    engine::randomSeed(seed);
    const std::vector<uint16_t> expected = wholeFieldGround(table, 384, 192, map().heightLevel());
    size_t differ = 0;
    for (size_t i = 0; i < expected.size(); ++i) differ += map().cells()[i].frontId() != expected[i];
    EXPECT_EQ(differ, 0u) << "seed " << seed;
  }
}

// Erosion takes away every block with fewer than four filled cells among its eight neighbours
// (columns wrap, rows beyond the map count as empty), all judged before any goes; on a column
// height that is no multiple of eight, so the rows past the last whole word are looked at too.
TEST_F(TerrainPassesTest, ErosionTakesAwayEveryLooseBlockAndNoOther) {
  constexpr int32_t kW = 40, kH = 37;
  WorldGenerator& g = makeWorld(kW, kH);
  std::mt19937 random(5);
  std::vector<uint8_t> filled(kW * kH);
  for (int32_t x = 0; x < kW; ++x) {
    for (int32_t y = 0; y < kH; ++y) {
      filled[x * kH + y] = random() % 3 != 0 ? 1 : 0;
      if (filled[x * kH + y] != 0) map().setBlockAt(kStone, 0, x, y, 2);
    }
  }
  const auto at = [&](int32_t x, int32_t y) { return y < 0 || y >= kH ? 0 : filled[((x + kW) % kW) * kH + y]; };
  erodeLooseBlocks(g);
  int taken = 0;
  for (int32_t x = 0; x < kW; ++x) {
    for (int32_t y = 0; y < kH; ++y) {
      int around = 0;
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) around += (dx != 0 || dy != 0) ? at(x + dx, y + dy) : 0;
      }
      const bool stays = at(x, y) != 0 && around >= 4;
      taken += at(x, y) != 0 && !stays;
      ASSERT_EQ(map().cell(x, y).frontId(), stays ? kStone : 0) << x << "," << y << " with " << around << " around";
    }
  }
  EXPECT_GT(taken, 10);
}

TEST_F(TerrainPassesTest, BedrockIsOneToThreeRowsAndTheClosingPassPutsRowZeroBack) {
  WorldGenerator& g = makeWorld(300, 32);
  placeBedrock(g);
  for (int32_t x = 0; x < 300; ++x) {
    int32_t n = 0;
    while (map().cell(x, n).frontId() == kBedrock && map().cell(x, n).backId() == kBedrock) ++n;
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 3);
    map().cell(x, 0).setFront(0, 0, 0);
    map().cell(x, 1).liquid = 0x64;
  }
  closeBedrock(g);
  for (int32_t x = 0; x < 300; ++x) {
    EXPECT_EQ(map().cell(x, 0).frontId(), kBedrock);
    if (map().cell(x, 1).frontId() == kBedrock) {
      EXPECT_EQ(map().cell(x, 1).liquid, 0) << "column " << x;
    }
  }
}

TEST_F(TerrainPassesTest, RunsLayTheirDecoration) {
  defineBlock(1248, {.flags = bits({23}), .transparency = 0});  // in the run filter's categories
  WorldGenerator& g = makeWorld(64, 16);
  fillGround(1248, 8);
  placeHorizontalRuns(g, 20, 6);
  int decorated = 0;
  for (size_t i = 0; i < map().cellCount(); ++i) decorated += map().cells()[i].hasDeco(kRunDeco, MapBlock::kFront);
  EXPECT_GT(decorated, 0);
}

TEST_F(TerrainPassesTest, SurfaceCutsTheSkyAndFloodsBelowTheSeaLevel) {
  planet().parameters.surfaceAmplitude = 10;
  planet().parameters.liquidLevel = 4;
  WorldGenerator& g = makeWorld(128, 64);
  fillGround(kStone, 64);
  generateSurface(g, params_);
  const int32_t sky = map().heightLevel();
  bool sea = false;
  for (int32_t x = 0; x < 128; ++x) {
    const int32_t t = map().surfaceLine(x);
    ASSERT_GE(t, 64 - sky - 10);
    EXPECT_EQ(map().cell(x, t - 1).frontId(), kStone);
    const MapBlock& low = map().cell(x, t);
    if (t <= 64 - sky - 4) {
      sea = true;
      EXPECT_TRUE(low.hasFlag(cell_flag::kLiquidSource)) << "column " << x;
      EXPECT_EQ(low.backId(), kStone) << "flooded cells keep their back wall";
    } else {
      EXPECT_EQ(low.liquid, 0);
    }
  }
  EXPECT_TRUE(sea);
}

// A cave under the sea: the open cells right under and beside the sea's cells are closed with the
// ground next to them, so no source hangs over air; the cave further down stays open.
TEST_F(TerrainPassesTest, TheSeaLiesInABasinOverACaveBelowIt) {
  planet().parameters.surfaceAmplitude = 10;
  planet().parameters.liquidLevel = 4;
  planet().terrainBlocks = {{0, 1}, {kOre, 1}, {kStone, 5}};
  WorldGenerator& g = makeWorld(128, 64);
  fillGround(kOre, 64);
  // An open cave from row 10 up to right under the deepest cut of the profile.
  const int32_t caveTop = 64 - map().heightLevel() - 10;
  for (int32_t x = 0; x < 128; ++x) {
    for (int32_t y = 10; y < caveTop; ++y) map().setBlockAt(0, 0, x, y, 2);
  }
  generateSurface(g, params_);
  const LiquidSimulator& liquids = map().liquids();
  int closed = 0;
  for (int32_t x = 0; x < 128; ++x) {
    for (int32_t y = 1; y < 64; ++y) {
      const MapBlock& c = map().cell(x, y);
      if (!c.hasFlag(cell_flag::kLiquidSource)) continue;
      for (const MapBlock* n : {map().cellAt(x, y - 1), map().cellAt(map().wrapX(x - 1), y), map().cellAt(map().wrapX(x + 1), y)}) {
        if (n->holdsOrSourcesLiquid()) continue;
        EXPECT_FALSE(liquids.isOpenForLiquid(n)) << "sea cell " << x << "," << y << " beside open " << n->x << "," << n->y;
        closed += n->frontId() == kStone && n->y < caveTop;
      }
    }
  }
  EXPECT_GT(closed, 0) << "the cave's roof under the sea was closed with the planet's common ground";
  EXPECT_EQ(map().cell(0, 10).frontId(), 0) << "the cave below the roof stays open";
}

// The row of a density is the first block whose cumulative share exceeds it, for short and long
// tables alike; a block of 0 and densities past every share leave the cell empty.
TEST(GroundTable, TheRowIsTheFirstShareAboveTheDensity) {
  for (uint16_t count : {uint16_t{3}, uint16_t{8}, uint16_t{9}, uint16_t{12}}) {
    std::vector<TerrainBlock> terrain;
    for (uint16_t i = 0; i < count; ++i) terrain.push_back({static_cast<uint16_t>(i == 1 ? 0 : 10 + i), 1});
    const GroundTable table = buildGroundTable(terrain);
    ASSERT_EQ(table.shares.size(), count);
    for (float v = 0.0f; v <= 1.0f; v += 1.0f / 64.0f) {
      size_t expected = GroundTable::kNone;
      for (size_t i = 0; i < table.shares.size(); ++i) {
        if (table.shares[i] > v) {
          expected = table.blocks[i] != 0 ? i : GroundTable::kNone;
          break;
        }
      }
      EXPECT_EQ(rowFor(table, v), expected) << count << " blocks, density " << v;
    }
    EXPECT_EQ(rowFor(table, 0.0f), 0u);
    EXPECT_EQ(rowFor(table, 1.0f), GroundTable::kNone) << "no share exceeds the densest cell";
  }
}

// The whole-column count of shares reached gives, for every density, the place the cell-by-cell
// search finds (or the table's size where that search finds none past the last share), including
// densities exactly on a share and a table whose shares repeat.
TEST(GroundTable, TheColumnCountIsTheRowOfEachDensity) {
  const GroundTable table = buildGroundTable({{10, 2}, {0, 1}, {11, 0}, {12, 3}, {13, 1}});
  std::vector<float> densities = {0.0f, 1.0f, -0.5f, 2.0f};
  for (float share : table.shares) densities.push_back(share);
  for (float v = 0.0f; v <= 1.0f; v += 1.0f / 128.0f) densities.push_back(v);
  std::vector<uint16_t> counts(densities.size(), 999);
  countSharesAtOrBelow(table, densities.data(), static_cast<int32_t>(densities.size()), counts.data());
  for (size_t i = 0; i < densities.size(); ++i) {
    const size_t row = rowFor(table, densities[i]);
    if (row != GroundTable::kNone) {
      EXPECT_EQ(counts[i], row) << "density " << densities[i];
    } else {
      EXPECT_TRUE(counts[i] == table.shares.size() || table.blocks[counts[i]] == 0) << "density " << densities[i];
    }
  }
}

TEST(GroundTable, AnEmptyTableLaysNoGround) {
  EXPECT_EQ(rowFor(buildGroundTable({}), 0.5f), GroundTable::kNone);
  EXPECT_EQ(rowFor(buildGroundTable({{12, 0}, {13, 0}}), 0.0f), GroundTable::kNone) << "weights of 0";
  EXPECT_EQ(rowFor(GroundTable{}, 0.0f), GroundTable::kNone);
}


}  // namespace
