#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/decoration_patterns.h"
#include "world/generator/surface_dresser.h"

namespace {

using namespace world_test;

constexpr uint16_t kGrass = 40;
constexpr uint16_t kFlower = 41;

class SurfaceDresserTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    defineBlock(kGrass, {.flags = bits({23}), .transparency = 0});
    defineBlock(kFlower, {.transparency = 2});
  }
  // Ground up to row 20 everywhere, surface line 21.
  WorldGenerator& flatGround(int32_t width, uint8_t mode = 0) {
    WorldGenerator& g = makeWorld(width, 48, mode);
    fillGround(kStone, 21);
    for (int32_t x = 0; x < width; ++x) map().surfaceLines()[static_cast<size_t>(x)] = 21;
    return g;
  }
  // A biome turning stone into grass wherever it is allowed, stretches of a fixed width.
  static BiomeRule grassBiome(float decay, uint16_t width) {
    BiomeRule rule;
    rule.layers = {{exact(kStone), 1.0f, kGrass}};
    rule.chance = 1.0f;
    rule.decay = decay;
    rule.minWidth = rule.maxWidth = width;
    rule.mask = 0xFF;
    return rule;
  }
};

TEST_F(SurfaceDresserTest, RuleMasksMatchTheWorldFlagsAndTheFlagWord) {
  const struct {
    uint32_t mask;
    uint8_t flags;
    bool passes;
  } cases[] = {{0xFF, 3, true},         {0x01, 3, false},           {0x40, 0, false},
               {0x80000040u, 0, true}, {0x80000020u, 0, false}};
  for (const auto& c : cases) EXPECT_EQ(ruleMaskPasses(c.mask, c.flags, 32), c.passes) << std::hex << c.mask;
}

TEST_F(SurfaceDresserTest, BiomesChangeTheTopCellsOfTheirStretchAndLeaveAGap) {
  const BiomeRule rule = grassBiome(1.0f, 4);
  planet().biomeRules = {rule};
  WorldGenerator& g = flatGround(20);
  generateBiomes(g, params_, kGenerationFlagWord);
  std::string top;
  for (int32_t x = 0; x < 20; ++x) top += map().cell(x, 20).frontId() == kGrass ? 'g' : '.';
  EXPECT_EQ(top, "gggg.gggg.gggg.gggg.");
  EXPECT_EQ(map().cell(0, 19).frontId(), kStone) << "a decay of 1 stops at the top cell";
}

TEST_F(SurfaceDresserTest, SurfaceRulesSkipSeaColumnsAndPatternsGrowUpward) {
  planet().surfaceRules = {{exact(kStone), 1.0f, {kFlower}}};
  SurfacePatternRule patterns;
  patterns.filters = {exact(kStone)};
  DecorationPattern tree;
  tree.kind = 2;
  tree.entries = {{3, 1, 1}};
  patterns.groups = {{{tree}, 1.0f}};
  patterns.mask = 0xFF;
  planet().surfacePatternRules = {patterns};
  WorldGenerator& g = flatGround(16);
  map().cell(5, 21).liquid = 0x64;
  g.spawnColumn = 10;
  int grown = 0;
  g.hooks.growTree = [&](WorldMap& m, int32_t x, int32_t y, uint8_t kind) {
    EXPECT_EQ(kind, 3);
    if (x % 2 == 0) m.cell(x, y).setFront(kOre, 0, 0);  // every other tree grows
    ++grown;
  };
  dressSurface(g, params_, kGenerationFlagWord);
  EXPECT_FALSE(map().cell(5, 20).hasDeco(kFlower, MapBlock::kFront)) << "a sea column gets nothing";
  EXPECT_TRUE(map().cell(4, 20).hasDeco(kFlower, MapBlock::kFront));
  EXPECT_EQ(grown, 12) << "15 land columns, less the spawn's and its neighbours'";
  EXPECT_EQ(countFront(kSapling), 0) << "no placeholder is left behind";
  EXPECT_NE(map().cell(10, 21).frontId(), kOre) << "no tree where the player is set down";
}

TEST_F(SurfaceDresserTest, ArrivalStructureFramesTheSpawnAndItsColumnsStayBare) {
  defineBlock(kArrivalPortalBlock, {.transparency = 1});
  planet().surfaceRules = {{exact(kStone), 1.0f, {kFlower}}};
  WorldGenerator& g = flatGround(16, 3);
  g.spawnColumn = 8;
  g.spawnRow = 21;
  g.hooks.arrivalOrigin = 2;  // its first link row frames arrivals with block 2760
  std::pair<int, int> recorded{-1, -1};
  g.hooks.recordArrival = [&](uint16_t x, uint16_t y) { recorded = {x, y}; };
  dressSurface(g, params_, kGenerationFlagWord);
  EXPECT_EQ(map().cell(8, 21).frontId(), kArrivalPortalBlock);
  EXPECT_EQ(map().cell(7, 21).frontId(), 2760);
  EXPECT_EQ(map().cell(8, 22).frontId(), 2760);
  EXPECT_EQ(recorded, std::make_pair(8, 21));
  EXPECT_FALSE(map().cell(9, 20).hasDeco(kFlower, MapBlock::kFront));
  EXPECT_TRUE(map().cell(10, 20).hasDeco(kFlower, MapBlock::kFront));
}


}  // namespace
