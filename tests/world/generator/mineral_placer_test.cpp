#include <gtest/gtest.h>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/mineral_placer.h"

namespace {

using namespace world_test;

class MineralPlacerTest : public GeneratorTest {};

VeinRule veinOf(uint16_t block, float density, uint16_t minSize, uint16_t maxSize, uint64_t filter) {
  VeinRule rule;
  rule.block = block;
  rule.factor = 1.0f;
  rule.placements.push_back({filter, 0.0f, 1.5f, density, minSize, maxSize});
  return rule;
}

int countDeco(WorldMap& map, uint16_t block) {
  int n = 0;
  for (size_t i = 0; i < map.cellCount(); ++i) {
    n += map.cells()[i].hasDeco(block, MapBlock::kFront) || map.cells()[i].hasDeco(block, MapBlock::kBack);
  }
  return n;
}

TEST_F(MineralPlacerTest, VeinClassDecidesWhatIsLaid) {
  const struct {
    uint16_t block;
    bool asFront, asDeco;
  } cases[] = {{kOre, true, false}, {kMoss, false, true}, {kGlass, false, false}};
  for (const auto& c : cases) {
    WorldGenerator& g = makeWorld(64, 64);
    fillGround(kStone, 64);
    const int placed = growVein(g, c.block, 20, 20, veinOf(c.block, 1, 6, 6, exact(kStone)).placements[0]);
    EXPECT_EQ(placed, 6) << "block " << c.block;
    EXPECT_EQ(countFront(c.block) > 0, c.asFront) << "block " << c.block;
    EXPECT_EQ(countDeco(map(), c.block) > 0, c.asDeco) << "block " << c.block;
  }
}

TEST_F(MineralPlacerTest, VeinsNeverSpreadIntoColumnZeroOrRowZero) {
  WorldGenerator& g = makeWorld(32, 32);
  fillGround(kStone, 32);
  growVein(g, kOre, 0, 1, veinOf(kOre, 1, 40, 40, exact(kStone)).placements[0]);
  for (int32_t y = 0; y < 32; ++y) EXPECT_NE(map().cell(31, y).frontId(), kOre) << "no spreading across the wrap";
  int zeroRow = 0;
  for (int32_t x = 1; x < 32; ++x) zeroRow += map().cell(x, 0).frontId() == kOre;
  EXPECT_EQ(zeroRow, 0);
  EXPECT_EQ(map().cell(0, 1).frontId(), kOre) << "the seed itself is laid";
}

TEST_F(MineralPlacerTest, AHopelessVeinRuleGivesUp) {
  planet().veinRules = {veinOf(kOre, 1.0f, 1, 1, exact(kOre))};
  WorldGenerator& g = makeWorld(128, 64);
  fillGround(kStone, 64);
  spawnVeins(g);
  EXPECT_EQ(countFront(kOre), 0);
  EXPECT_EQ(g.counts.gaveUp[static_cast<size_t>(RetryKind::Vein)], 1u);
}

TEST_F(MineralPlacerTest, SurfaceObjectsStandOnMatchingFloorsWithOpenSides) {
  defineBlock(kOre, {.flags = bits({14}), .transparency = 0});  // refused in water
  WorldGenerator& g = makeWorld(64, 32);
  fillGround(kStone, 10);
  map().cell(20, 10).liquid = 0x64;
  const int placed = placeSurfaceObject(g, kOre, 30, {0, 31}, exact(kStone));
  EXPECT_EQ(placed, 30);
  for (int32_t x = 0; x < 64; ++x) {
    for (int32_t y = 0; y < 32; ++y) {
      if (map().cell(x, y).frontId() != kOre) continue;
      EXPECT_EQ(y, 10) << "objects stand on the ground";
      EXPECT_NE(x, 20) << "a block refused in water never stands in it";
    }
  }
  EXPECT_EQ(placeSurfaceObject(g, kOre, 1, {0, 31}, exact(kDirt)), 0) << "no matching floor";
  EXPECT_EQ(g.counts.gaveUp[static_cast<size_t>(RetryKind::SurfaceObject)], 1u);
}

}  // namespace
