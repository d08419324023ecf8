#include <gtest/gtest.h>

#include <cstring>

#include "content/items/block_edit.h"
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
  EXPECT_EQ(far->y, 4);
}

TEST_F(MapBlockTest, DecorationSlotsFillInOrderAndKeepSideBitsWhenEmptied) {
  MapBlock cell;
  EXPECT_EQ(cell.addDeco(kTorch, 2, MapBlock::kFront), 0);
  EXPECT_EQ(cell.addDeco(kVine, 1, MapBlock::kBack), 1);
  EXPECT_EQ(cell.addDeco(kTorch, 0, MapBlock::kBack), 2);
  EXPECT_EQ(cell.addDeco(kGlass, 0, MapBlock::kFront), 3);
  EXPECT_EQ(cell.addDeco(kDirt, 0, MapBlock::kFront), MapBlock::kNoSlot) << "a fifth deco has no slot";
  EXPECT_TRUE(cell.hasDeco(kVine, MapBlock::kBack));
  EXPECT_FALSE(cell.hasDeco(kVine, MapBlock::kFront));
  EXPECT_EQ(cell.findDeco(kTorch).index, 0);
  EXPECT_EQ(cell.findDecoOnSide(kTorch, MapBlock::kBack).index, 2);

  cell.setFront(0, 0, 0);  // an empty front takes the front-side decorations with it
  EXPECT_FALSE(cell.hasDeco(kTorch, MapBlock::kFront));
  EXPECT_FALSE(cell.hasDeco(kGlass, MapBlock::kFront));
  EXPECT_TRUE(cell.hasDeco(kVine, MapBlock::kBack));
  EXPECT_TRUE(cell.hasDeco(kTorch, MapBlock::kBack));

  // A slot emptied on the back side still holds its side bit, yet counts as free.
  cell.clearSideDecos(MapBlock::kBack);
  EXPECT_EQ(map_deco::side(cell.decos[1]), 1);
  EXPECT_FALSE(cell.hasAnyDeco(MapBlock::kBack));
  EXPECT_EQ(cell.findFreeDecoSlot().index, 0);
}

TEST_F(MapBlockTest, BlockWordsKeepTheirLayerMarkAndStateFollowsTheFront) {
  const BlockPropsTable props;
  MapBlock cell;
  cell.setFront(kDirt, 2, 5);
  EXPECT_EQ(cell.front, 0x8000 | 2 << 12 | kDirt);
  EXPECT_EQ(cell.blockState(), 5);
  cell.setLayer(kDirt, 1, MapBlock::kBack);
  EXPECT_EQ(cell.back, 1 << 12 | kDirt);
  cell.setLayer(0, 0, MapBlock::kFront);
  EXPECT_EQ(cell.front, 0x8000);
  EXPECT_EQ(cell.blockState(), 0);
  cell.flags |= cell_flag::kForeign;
  cell.setBlockState(7);
  EXPECT_TRUE(cell.hasFlag(cell_flag::kForeign)) << "bit 7 is not the world model's";

  int seen[3] = {};
  for (int i = 0; i < 200; ++i) {
    cell.setFrontRandomVariant(props, kDirt);
    ASSERT_LT(cell.frontVariant(), 3);
    ++seen[cell.frontVariant()];
    ASSERT_TRUE(block_word::isFront(cell.front));
  }
  EXPECT_GT(seen[0] * seen[1] * seen[2], 0);
  cell.setLayerRandomVariant(props, kGlass, MapBlock::kBack);  // one variant only
  EXPECT_EQ(cell.backVariant(), 0);
  EXPECT_FALSE(block_word::isFront(cell.back));
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

  MapBlock door;
  door.setFront(2118, 0, 0);
  EXPECT_TRUE(door.blocksMovement(props));
  door.setBlockState(1);
  EXPECT_FALSE(door.blocksMovement(props));
}

TEST_F(MapBlockTest, LightLevelIsSkyLessDarknessOrTheBrightestChannel) {
  MapBlock cell;
  cell.setSkyLevel(15);
  EXPECT_EQ(cell.lightLevel(12), 3);
  cell.setSkyLevel(5);
  EXPECT_EQ(cell.lightLevel(12), 0) << "darkness past the sky level gives none, not a wrap";
  cell.blockLight = 0x3A2;  // blue 3, green 10, red 2
  EXPECT_EQ(cell.lightLevel(12), 10);
  cell.blockLight |= 0xF000;  // light directions do not count as light
  EXPECT_EQ(cell.lightLevel(0), 10);
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

  MapBlock& underground = m.cell(20, 5);  // a back wall next door casts onto a cell without one
  m.setBlockAt(kDirt, 0, 21, 5, 1);
  underground.computeShadowEdges(m);
  EXPECT_EQ(underground.shadowEdges(), 0b0010);

  m.setBlockAt(kShutter, 1, 9, 5, 0);  // block 2090 in variant 1 is opaque for shadows
  cave.refreshShadowsAround(m);
  EXPECT_EQ(cave.shadowEdges(), 0b1011);
  m.setBlockAt(kDirt, 0, 10, 5, 0);
  cave.computeShadowEdges(m);
  EXPECT_EQ(cave.shadowEdges(), 0) << "an opaque cell has no edges";
}

TEST_F(MapBlockTest, SpecialDecoTintsLaterSlotsWinAndUnlistedIdsGetTheFallback) {
  for (uint16_t id : {4025, 4060, 3000}) defineBlock(id, {.flags = bits({39}), .transparency = 2});
  const BlockPropsTable props;
  MapBlock cell;
  cell.addDeco(4025, 0, MapBlock::kFront);
  cell.addDeco(4060, 0, MapBlock::kBack);
  SpecialDecoColour front, back;
  cell.lookupSpecialDecos(props, front, back);
  EXPECT_EQ(front.red, 180);
  EXPECT_EQ(front.tile, 39 + 64 * 3);
  EXPECT_EQ(back.blue, 54);
  cell.addDeco(3000, 0, MapBlock::kFront);
  cell.lookupSpecialDecos(props, front, back);
  EXPECT_EQ(front.blockId, 0) << "an unlisted id gives the row of zeros";
}

TEST(BlockEditRecord, SixteenBytesRoundTripWithTheValueOverlappingTheFields) {
  BlockEdit edit;
  edit.kind = 14;
  edit.x = 0x1234;
  edit.y = 0x0201;
  for (size_t i = 0; i < BlockEdit::kValueBytes; ++i) edit.setValueByte(i, static_cast<uint8_t>(0xA0 + i));
  uint8_t bytes[BlockEdit::kWireSize];
  edit.encode(bytes);
  const uint8_t expected[16] = {14, 0, 0x34, 0x12, 0x01, 0x02, 0, 0, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0};
  for (size_t i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
  EXPECT_EQ(edit.blockId, 0xA1A0);
  EXPECT_EQ(edit.slot, 0xA2);
  EXPECT_EQ(edit.layer, 0xA5);
  uint8_t again[BlockEdit::kWireSize];
  BlockEdit::decode(bytes).encode(again);
  EXPECT_EQ(std::memcmp(again, bytes, sizeof bytes), 0) << "decoding and encoding again changes nothing";
}

}  // namespace
