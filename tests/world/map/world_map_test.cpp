#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/world/world_test_blocks.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"

namespace {

using namespace world_test;

class WorldMapTest : public WorldTest {};

TEST_F(WorldMapTest, ClearedCellsKnowTheirPlaceAndAddressingWraps) {
  WorldMap m(nullptr, WorldParams{}, 40, 20);
  const MapBlock& c = m.cell(7, 9);
  EXPECT_EQ(std::tuple(c.x, c.y, c.front, c.back), std::tuple(7, 9, 0x8000, 0));
  EXPECT_EQ(m.cellAt(-81, 3), &m.cell(39, 3));
  EXPECT_EQ(m.cellAt(40, 0), &m.cell(0, 0));
  EXPECT_EQ(m.cellAt(0, 20), nullptr);
  EXPECT_EQ(m.indexOf(m.cell(2, 3)), 3u + 2u * 20u) << "cells are stored column by column";
}

TEST_F(WorldMapTest, SettingBlocksKeepsLayerMarksAndEmptiesOnlyFrontDecos) {
  WorldMap m(nullptr, WorldParams{}, 32, 16);
  m.setBlockAt(kDirt, 1, 3, 3, 2);  // both layers
  EXPECT_TRUE(!block_word::isFront(m.cell(3, 3).back) && m.cell(3, 3).backId() == kDirt);
  ASSERT_TRUE(m.addDecoAt(kTorch, 0, 35, 3)) << "x wraps";
  m.cell(3, 3).addDeco(kVine, 0, MapBlock::kBack);
  m.setBlockAt(0, 0, 3, 3, 1);  // clearing the back empties the front-side decos
  EXPECT_EQ(m.cell(3, 3).backId(), 0);
  EXPECT_FALSE(m.cell(3, 3).hasDeco(kTorch, MapBlock::kFront));
  EXPECT_TRUE(m.cell(3, 3).hasDeco(kVine, MapBlock::kBack));
  m.setBlockAt(kDirt, 0, 3, -1, 0);  // ignored
  EXPECT_FALSE(m.addDecoAt(kTorch, 0, 3, 16));
}

TEST_F(WorldMapTest, TopHeightsFollowPlacingAndRemoving) {
  WorldMap m(nullptr, WorldParams{}, 8, 16);
  for (int x = 0; x < 8; ++x) m.setBlockAt(kDirt, 0, x, 4, 0);
  m.setBlockAt(kGate, 1, 2, 9, 0);    // open gate: opaque, stops the scan
  m.setBlockAt(kPlank, 0, 3, 11, 0);  // clear platform: blocks movement, stops the scan
  m.computeSurfaceHeights();
  EXPECT_EQ(m.topHeight(0), 5);
  EXPECT_EQ(m.topHeight(2), 10);
  EXPECT_EQ(m.topHeight(3), 12);

  m.setBlockAt(kDirt, 0, 0, 8, 0);
  m.updateSurfaceHeight(0, 8, true);
  EXPECT_EQ(m.topHeight(0), 9);
  m.setBlockAt(kDirt, 0, 0, 15, 0);
  m.updateSurfaceHeight(0, 15, true);
  EXPECT_EQ(m.topHeight(0), 16) << "the top row gives the map's height";
  m.setBlockAt(0, 0, 0, 15, 0);
  m.updateSurfaceHeight(0, 15, false);
  EXPECT_EQ(m.topHeight(0), 9);
}

TEST_F(WorldMapTest, ExploredBitmapRevealsAClippedWindowAndCreativeWorldsHaveNone) {
  WorldMap m(nullptr, WorldParams{}, 128, 64);
  ExploredBitmap* bitmap = m.explored();
  ASSERT_NE(bitmap, nullptr);
  bitmap->revealAround(10, 5);
  EXPECT_TRUE(bitmap->isExplored(40, 20));
  EXPECT_FALSE(bitmap->isExplored(41, 20));
  EXPECT_FALSE(bitmap->isExplored(127, 5)) << "no wrap to the last columns";
  bitmap->revealRow(120, 63);
  EXPECT_TRUE(bitmap->isExplored(127, 63));

  WorldParams creative;
  creative.mode = 2;
  EXPECT_EQ(WorldMap(nullptr, creative, 64, 16).explored(), nullptr);
}

TEST_F(WorldMapTest, UnknownPlanetTakesTheFirstAndAnEmptyListStillMakesAMap) {
  WorldParams params;
  params.planetId = 999;
  const WorldMap none(nullptr, params, 32, 16);
  EXPECT_FALSE(none.hasSurfaceLine());
  addSurfacePlanet(8);
  addPlanetDef("flat", 16, 0);
  const WorldMap first(nullptr, params, 32, 16);
  EXPECT_EQ(first.planet().id, 8u);
  EXPECT_TRUE(first.hasSurfaceLine());
}

}  // namespace
