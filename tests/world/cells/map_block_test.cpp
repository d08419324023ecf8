#include <gtest/gtest.h>

#include "tests/world/world_test_blocks.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace {

using namespace world_test;

class MapBlockTest : public WorldTest {
 protected:
  WorldMap& map() {
    if (!map_) map_ = std::make_unique<WorldMap>(nullptr, WorldParams{}, 0, 0);
    return *map_;
  }
  std::unique_ptr<WorldMap> map_;
};

TEST_F(MapBlockTest, NeighboursWrapAcrossColumnsButNotRows) {
  WorldMap& m = map();
  MapBlock& left = m.cell(0, 0);
  ASSERT_NE(left.neighbourLeft(m), nullptr);
  EXPECT_EQ(left.neighbourLeft(m)->x, m.width() - 1);
  EXPECT_EQ(m.cell(m.width() - 1, 5).neighbourRight(m)->x, 0);
  EXPECT_EQ(left.neighbourDown(m), nullptr);
  EXPECT_EQ(m.cell(3, m.height() - 1).neighbourUp(m), nullptr);
  const MapBlock* far = left.neighbourAt(m, -m.width() - 2, 4);
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(far->x, m.width() - 2);
}

TEST_F(MapBlockTest, DecorationSlotsFillInOrderAndKeepSideBitsWhenEmptied) {
  MapBlock cell;
  cell.addDeco(kTorch, 2, MapBlock::kFront);
  cell.addDeco(kVine, 1, MapBlock::kBack);
  cell.addDeco(kTorch, 0, MapBlock::kBack);
  EXPECT_EQ(cell.addDeco(kGlass, 0, MapBlock::kFront), 3);
  EXPECT_EQ(cell.addDeco(kDirt, 0, MapBlock::kFront), MapBlock::kNoSlot) << "a fifth deco has no slot";
  EXPECT_EQ(cell.findDecoOnSide(kTorch, MapBlock::kBack).index, 2);

  cell.setFront(0, 0, 0);  // an empty front takes the front-side decorations with it
  EXPECT_FALSE(cell.hasDeco(kGlass, MapBlock::kFront));
  EXPECT_TRUE(cell.hasDeco(kTorch, MapBlock::kBack));

  // A slot emptied on the back side still holds its side bit, yet counts as free.
  cell.clearSideDecos(MapBlock::kBack);
  EXPECT_EQ(map_deco::side(cell.decos[1]), 1);
  EXPECT_FALSE(cell.hasAnyDeco(MapBlock::kBack));
  EXPECT_EQ(cell.findFreeDecoSlot().index, 0);
}

TEST_F(MapBlockTest, SolidAndMovementTestsKnowTheOpenGateAndTheStateBlock) {
  const BlockPropsTable props;
  MapBlock cell;
  cell.setFront(kGate, 1, 0);
  EXPECT_TRUE(cell.isSolid(props));
  EXPECT_FALSE(cell.blocksMovement(props)) << "an open gate lets bodies through";
  cell.setFront(kGate, 0, 0);
  EXPECT_TRUE(cell.blocksMovement(props));

  cell.setFront(0, 0, 0);
  cell.addDeco(kGate, 1, MapBlock::kFront);
  EXPECT_TRUE(cell.isSolid(props)) << "a solid front deco makes the cell solid";
  EXPECT_FALSE(cell.blocksMovement(props));
  cell.decos[0] = map_deco::make(kPlank, 0, MapBlock::kFront);
  EXPECT_TRUE(cell.blocksMovement(props));
}

// A block whose variant is its state (a lever, a door, a lamp) comes off when placed; a block
// whose variants are only looks takes any of them.
TEST_F(MapBlockTest, ASwitchedBlockIsPlacedOffAndAPlainOneInAnyLook) {
  constexpr uint16_t kLever = 2086, kDoor = 290, kStone = 20;
  defineBlock(kLever, {.flags = bits({45}), .transparency = 1, .variants = 2});
  defineBlock(kDoor, {.flags = bits({21}), .transparency = 1, .variants = 2});
  defineBlock(kStone, {.variants = 2});
  const BlockPropsTable props;
  bool sawSecondLook = false;
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(randomVariantFor(props, kLever), 0);
    EXPECT_EQ(randomVariantFor(props, kDoor), 0);
    sawSecondLook = sawSecondLook || randomVariantFor(props, kStone) == 1;
  }
  EXPECT_TRUE(sawSecondLook);
}

TEST_F(MapBlockTest, LightLevelIsSkyLessDarknessOrTheBrightestChannel) {
  MapBlock cell;
  cell.setSkyLevel(15);
  EXPECT_EQ(cell.lightLevel(12), 3);
  cell.setSkyLevel(5);
  EXPECT_EQ(cell.lightLevel(12), 0) << "darkness past the sky level gives none, not a wrap";
  cell.blockLight = 0x3A2;  // blue 3, green 10, red 2
  EXPECT_EQ(cell.lightLevel(12), 10);
}

TEST_F(MapBlockTest, ShadowEdgesFaceOpaqueNeighboursOfClearCellsWithoutBackWalls) {
  addSurfacePlanet(4);
  WorldParams params;
  params.planetId = 4;
  WorldMap m(nullptr, params, 64, 32);
  for (int x = 0; x < m.width(); ++x) m.surfaceLines()[static_cast<size_t>(x)] = 20;
  m.setBlockAt(kDirt, 0, 10, 6, 0);  // above the cave cell
  m.setBlockAt(kDirt, 0, 11, 5, 0);  // to its right
  MapBlock& cave = m.cell(10, 5);
  cave.computeShadowEdges(m);
  EXPECT_EQ(cave.shadowEdges(), 0b0011) << "up and right are opaque";

  MapBlock& open = m.cell(10, 25);  // above the surface, no back wall: no shadows at all
  m.setBlockAt(kDirt, 0, 10, 26, 0);
  open.computeShadowEdges(m);
  EXPECT_EQ(open.shadowEdges(), 0);

}

}  // namespace
