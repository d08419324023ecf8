// Random series of local light updates, each compared with a fresh whole-map relight of the same
// blocks: the local updates must never leave light behind nor miss any.

#include <gtest/gtest.h>

#include "engine/base/random.h"
#include "tests/world/light/light_test_support.h"

namespace {

using namespace light_test;

int draw(int n) { return engine::randomNext() % n; }

class LightOracleTest : public LightTest {
 protected:
  // Hills of dirt with air pockets, lamps and lava pools under open sky.
  static void buildTerrain(WorldMap& m) {
    for (int x = 0; x < m.width(); ++x) {
      const int ground = m.height() / 2 + draw(5);
      for (int y = 0; y < ground; ++y) {
        MapBlock& c = m.cell(x, y);
        c.setFront(draw(6) == 0 ? kAir : kDirt, 0, 0);
        if (c.frontId() == kAir && draw(4) == 0) c.liquid = 2 << 6 | 0x24;
        if (c.frontId() == kAir && draw(5) == 0) c.setFront(kRedLamp, 0, 0);
      }
    }
  }

  // One edit the way the world applies it: the block changes, then the light hook runs.
  void randomEdit(WorldMap& m) {
    LightMap& light = m.lightMap();
    MapBlock& c = m.cell(draw(m.width()), draw(m.height()));
    const int choice = draw(10);
    if (choice < 2) {
      moveCarriedLight(m, c);
    } else if (c.frontId() == kDirt) {
      const uint16_t lamp = choice < 5 ? kAir : (choice < 7 ? kBlueLamp : kWhiteLamp);
      c.setFront(lamp, 0, 0);
      light.cellGainedSky(c);
      if (lamp != kAir) light.setCellEmitting(c);
    } else if (c.hasFlag(cell_flag::kEmitsLight)) {
      c.setFront(kAir, 0, 0);
      c.liquid = 0;
      light.updateAround(c, false);
    } else if (choice < 7) {
      c.setFront(kDirt, 0, 0);
      light.cellLostSky(c, 0);
    } else if (choice < 9) {
      c.setFront(kRedLamp, 0, 0);
      light.setCellEmitting(c);
    } else {
      c.liquid = 2 << 6 | 0x24;  // lava arrives
      light.setCellEmitting(c);
    }
  }

  void moveCarriedLight(WorldMap& m, MapBlock& to) {
    static constexpr uint16_t kColours[] = {0x0C0, 0xE8A, 0x00F};
    const uint16_t colour = kColours[draw(3)];
    const bool another = carried.lights.size() < 3 || draw(2) == 0;
    // A light that appears, or changes where one is held, first takes the old one away.
    const auto from = another ? std::pair<int, int>{to.x, to.y} : carried.lights.begin()->first;
    moveCarried(m, from, {to.x, to.y}, colour);
  }
};

TEST_F(LightOracleTest, RandomEditSeriesMatchAFreshRelightAfterEveryEdit) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    engine::randomSeed(seed);
    carried.lights.clear();
    const std::unique_ptr<World> lit = carryingWorld(40, 24);
    WorldMap& m = lit->map();
    buildTerrain(m);
    m.lightMap().relightAll();
    ASSERT_TRUE(sameAsFreshRelight(m)) << "seed " << seed;
    for (int edit = 0; edit < 150; ++edit) {
      randomEdit(m);
      ASSERT_TRUE(sameAsFreshRelight(m)) << "seed " << seed << ", edit " << edit;
    }
  }
}

}  // namespace
