#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "tests/world/light/light_test_support.h"

namespace {

using namespace light_test;

struct Sky {
  int x, y, level;
};
void expectSky(const WorldMap& m, std::initializer_list<Sky> cells) {
  for (const Sky& c : cells) EXPECT_EQ(m.cell(c.x, c.y).skyLevel(), c.level) << c.x << "," << c.y;
}

// Manhattan distance across the wrap.
int distance(const WorldMap& m, int x0, int y0, int x1, int y1) {
  int dx = std::abs(x0 - x1);
  dx = std::min(dx, m.width() - dx);
  return dx + std::abs(y0 - y1);
}

TEST_F(LightTest, SkyStopsAtOpaqueRowsAndTheTopRowRule) {
  WorldMap m(nullptr, WorldParams{}, 20, 12);
  fill(m, kDirt, 0, 8, 19, 8);   // a roof over the whole width
  fill(m, kDirt, 0, 11, 4, 11);  // opaque top-row cells
  m.cell(10, 5).setFront(kGrate, 0, 0);  // opaque, but lets the sky through
  m.lightMap().relightAll();
  // Less 2 a cell sideways and 6 through the roof; the grate lets the sky on. An opaque top-row
  // cell keeps 13.
  expectSky(m, {{10, 8, 13}, {10, 7, 7}, {10, 6, 5}, {10, 5, 3}, {10, 4, 1}, {10, 3, 0},
                {2, 11, 13}, {4, 10, 13}, {2, 10, 9}, {5, 11, 15}});
  EXPECT_TRUE(m.cell(10, 5).hasFlag(cell_flag::kLetsLightThrough));
  EXPECT_FALSE(m.cell(2, 11).hasFlag(cell_flag::kLetsLightThrough));
}

TEST_F(LightTest, EmitterInTheOpenLightsRingsAndItsRemovalDarkensThemAll) {
  WorldMap m(nullptr, WorldParams{}, 32, 24);
  closedRoom(m, 22, 8, 4, 24, 18);
  m.lightMap().relightAll();
  ASSERT_EQ(m.cell(16, 11).skyLevel(), 0);
  MapBlock& lamp = m.cell(16, 11);
  lamp.setFront(kWhiteLamp, 0, 0);
  m.lightMap().setCellEmitting(lamp);
  EXPECT_EQ(lamp.lightColour(), 0xEEE);
  for (int x = 9; x <= 18; ++x) {
    for (int y = 5; y <= 17; ++y) {
      const int d = distance(m, 16, 11, x, y);
      const int want = std::max(0, 14 - 2 * d);
      ASSERT_EQ(red(m.cell(x, y)), want) << x << "," << y;
      ASSERT_EQ(m.cell(x, y).lightColour(), want * 0x111) << "grey light stays grey";
    }
  }
  EXPECT_EQ(m.cell(16, 12).blockLight >> 12, 1 << 1) << "the bits name the side it was lit from";
  EXPECT_TRUE(sameAsFreshRelight(m));

  lamp.setFront(kAir, 0, 0);
  m.lightMap().updateAround(lamp, false);
  EXPECT_FALSE(lamp.hasFlag(cell_flag::kEmitsLight));
  for (size_t i = 0; i < m.cellCount(); ++i) ASSERT_EQ(m.cells()[i].lightColour(), 0);
}

TEST_F(LightTest, ColoursMixPerChannelAndTheSurvivorRefillsARemovedLampsRegion) {
  WorldMap m(nullptr, WorldParams{}, 40, 16);
  closedRoom(m, 14, 2, 4, 37, 10);
  m.lightMap().relightAll();
  MapBlock& redLamp = m.cell(15, 7);
  MapBlock& blueLamp = m.cell(19, 7);
  redLamp.setFront(kRedLamp, 0, 0);
  blueLamp.setFront(kBlueLamp, 0, 0);
  m.lightMap().setCellEmitting(redLamp);
  m.lightMap().setCellEmitting(blueLamp);
  const MapBlock& between = m.cell(17, 7);
  EXPECT_EQ(between.lightColour(), 0xA0A);
  EXPECT_EQ(red(blueLamp), 6) << "a lamp takes the other's light in its own empty channels";

  redLamp.setFront(kAir, 0, 0);
  m.lightMap().updateAround(redLamp, false);
  EXPECT_EQ(between.lightColour(), 0xA00);
  EXPECT_EQ(blue(redLamp), 6) << "the blue lamp's light refills the removed lamp's cell";
  EXPECT_EQ(blue(blueLamp), 14);
  EXPECT_TRUE(sameAsFreshRelight(m));
}

TEST_F(LightTest, RoofRemovedOverACaveLetsTheSkyInAndPuttingItBackRestoresTheDark) {
  WorldMap m(nullptr, WorldParams{}, 48, 32);
  closedRoom(m, 20, 10, 5, 30, 12);  // the cave
  fill(m, kAir, 20, 13, 20, 19);  // a shaft up to one roof cell at row 20
  m.cell(12, 6).setFront(kRedLamp, 0, 0);
  m.lightMap().relightAll();
  ASSERT_EQ(m.cell(20, 10).skyLevel(), 0);
  MapBlock& roof = m.cell(20, 20);

  roof.setFront(kAir, 0, 0);
  m.lightMap().cellGainedSky(roof);
  expectSky(m, {{20, 5, 15}, {22, 8, 11}});  // full sky falls down the shaft to the cave floor
  EXPECT_TRUE(sameAsFreshRelight(m));

  roof.setFront(kDirt, 0, 0);
  EXPECT_TRUE(m.lightMap().cellLostSky(roof, 0));
  EXPECT_FALSE(roof.hasFlag(cell_flag::kLetsLightThrough));
  expectSky(m, {{20, 10, 0}, {20, 19, 7}});  // 7 leaks through the opaque roof
  EXPECT_EQ(red(m.cell(13, 6)), 12) << "the lamp's light in the darkened cave was refilled";
  EXPECT_TRUE(sameAsFreshRelight(m));

  EXPECT_FALSE(m.lightMap().cellLostSky(m.cell(20, 20), 1)) << "only the front layer shuts out sky";
}

TEST_F(LightTest, LightWrapsAcrossTheSeamButNotAcrossTheTopOrBottom) {
  WorldMap m(nullptr, WorldParams{}, 24, 12);
  fill(m, kDirt, 0, 0, 23, 10);
  fill(m, kAir, 0, 0, 23, 2);
  m.cell(0, 0).setFront(kWhiteLamp, 0, 0);
  m.lightMap().relightAll();
  EXPECT_EQ(red(m.cell(23, 0)), 12) << "the last column neighbours column 0";
  EXPECT_EQ(m.cell(23, 0).blockLight >> 12, 1 << 2) << "lit from its right, across the seam";
  EXPECT_TRUE(sameAsFreshRelight(m));
}

TEST_F(LightTest, ASourceTakesTheLargerOfEmissionAndCarriedLightPerChannel) {
  const std::unique_ptr<World> lit = carryingWorld(8, 8);
  WorldMap& m = lit->map();
  MapBlock& c = m.cell(3, 3);
  carried.lights[{3, 3}] = 0x3C1;
  EXPECT_EQ(m.lightMap().sourceColour(c), 0) << "not lit by a carried light";
  c.flags |= cell_flag::kCarriedLight;
  c.setFront(kBlueLamp, 0, 0);
  EXPECT_EQ(m.lightMap().sourceColour(c), 0xEC1);
}

TEST_F(LightTest, EachWorldSeesOnlyTheLightsItsOwnPlayersCarry) {
  TableCarriedLights otherCarried;
  otherCarried.lights[{3, 3}] = 0x00F;
  carried.lights[{3, 3}] = 0xF00;
  const std::unique_ptr<World> mine = carryingWorld(8, 8);
  World other(nullptr, WorldParams{}, 8, 8, WorldContext{.carriedLights = &otherCarried});
  World dark(nullptr, WorldParams{}, 8, 8);
  for (World* w : {mine.get(), &other, &dark}) w->map().cell(3, 3).flags |= cell_flag::kCarriedLight;
  EXPECT_EQ(mine->map().lightMap().sourceColour(mine->map().cell(3, 3)), 0xF00);
  EXPECT_EQ(other.map().lightMap().sourceColour(other.map().cell(3, 3)), 0x00F);
  EXPECT_EQ(dark.map().lightMap().sourceColour(dark.map().cell(3, 3)), 0) << "no carried lights given";
}

}  // namespace
