#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/added_planets.h"
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
  testsupport::addPlanetDef("flat", 16, 0);
  const WorldMap first(nullptr, params, 32, 16);
  EXPECT_EQ(first.planet().id, 8u);
  EXPECT_TRUE(first.hasSurfaceLine());
}

}  // namespace
