// The whole-map relight that also works out the shadow edges, in one pass over the cells, against
// the two passes it stands for (the shadows of the map, then its light) and against each cell's
// own edges worked out from its neighbours: the generator lights every new world through it, so
// not one bit of a cell may differ.

#include <gtest/gtest.h>

#include <vector>

#include "engine/base/random.h"
#include "tests/support/two_pass_relight_reference.h"
#include "tests/world/light/light_test_support.h"

namespace {

using namespace light_test;

int draw(int n) { return engine::randomNext() % n; }

class RelightShadowsTest : public LightTest {
 protected:
  static constexpr uint32_t kPlanet = 4;

  std::unique_ptr<WorldMap> surfaceMap(int width, int height) {
    addSurfacePlanet(kPlanet);
    WorldParams params;
    params.planetId = kPlanet;
    return std::make_unique<WorldMap>(nullptr, params, width, height);
  }

  // Front blocks of every light and shadow kind (shutters open and shut, lamps on and off, glowing
  // liquid), walls behind some, stale shadow edges, and surface lines above, inside and below the map.
  static void buildCells(WorldMap& m) {
    static constexpr uint16_t kFronts[] = {kAir,   kAir,     kDirt,    kDirt, kGlass, kTorch, kVine,
                                           kPlank, kShutter, kGrate,   kLamp, kGate,  kRedLamp};
    for (int x = 0; x < m.width(); ++x) {
      m.surfaceLines()[static_cast<size_t>(x)] = static_cast<uint16_t>(draw(m.height() + 6));
      for (int y = 0; y < m.height(); ++y) {
        MapBlock& c = m.cell(x, y);
        const uint16_t front = kFronts[draw(13)];
        c.setFront(front, static_cast<uint8_t>(draw(3)), 0);
        if (draw(2) == 0) c.setLayer(draw(3) == 0 ? kGlass : kDirt, 0, MapBlock::kBack);
        if (front == kAir && draw(5) == 0) c.liquid = static_cast<uint8_t>((1 + draw(3)) << 6 | 0x24);
        c.skyShadow = static_cast<uint8_t>(draw(16));
      }
    }
  }

  static void copyCells(const WorldMap& from, WorldMap& to) {
    std::copy(from.cells(), from.cells() + from.cellCount(), to.cells());
    to.surfaceLines() = from.surfaceLines();
  }
};

TEST_F(RelightShadowsTest, OnePassGivesTheLightAndShadowsOfTheTwoPassesToTheBit) {
  struct Size {
    int width, height;
  };
  const Size sizes[] = {{1, 1}, {1, 9}, {2, 5}, {3, 2}, {40, 24}, {97, 61}};
  for (const Size size : sizes) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
      engine::randomSeed(seed);
      const auto fused = surfaceMap(size.width, size.height);
      buildCells(*fused);
      const auto twoPasses = surfaceMap(size.width, size.height);
      const auto byCell = surfaceMap(size.width, size.height);
      copyCells(*fused, *twoPasses);
      copyCells(*fused, *byCell);

      fused->lightMap().relightAllWithShadows();
      testsupport::relightInTwoPassesForReference(*twoPasses);
      for (size_t i = 0; i < byCell->cellCount(); ++i) byCell->cells()[i].computeShadowEdges(*byCell);

      int shaded = 0;
      for (size_t i = 0; i < fused->cellCount(); ++i) {
        const MapBlock& got = fused->cells()[i];
        const MapBlock& want = twoPasses->cells()[i];
        shaded += got.shadowEdges() != 0 ? 1 : 0;
        const auto where = ::testing::Message() << size.width << "x" << size.height << " seed " << seed
                                                << " cell " << got.x << "," << got.y;
        ASSERT_EQ(got.skyShadow, want.skyShadow) << where;
        ASSERT_EQ(got.blockLight, want.blockLight) << where;
        ASSERT_EQ(got.flags, want.flags) << where;
        ASSERT_EQ(got.shadowEdges(), byCell->cells()[i].shadowEdges()) << where;
      }
      if (size.width * size.height > 100) {
        EXPECT_GT(shaded, 0) << "the maps cast shadows to compare";
      }
    }
  }
}

// A relight with the shadows after one without them, on the same map, finds the shadows as a
// fresh map of the same blocks has them: the scratch it keeps between calls holds no stale traits.
TEST_F(RelightShadowsTest, ARelightWithoutShadowsLeavesNothingStaleForOneWithThem) {
  engine::randomSeed(5);
  const auto map = surfaceMap(50, 30);
  buildCells(*map);
  const auto fresh = surfaceMap(50, 30);
  map->lightMap().relightAllWithShadows();
  for (int x = 0; x < map->width(); x += 3) map->cell(x, 10).setFront(kDirt, 0, 0);
  copyCells(*map, *fresh);
  for (size_t i = 0; i < map->cellCount(); ++i) {
    map->cells()[i].skyShadow = 0;
    map->cells()[i].blockLight = 0;
    fresh->cells()[i].skyShadow = 0;
    fresh->cells()[i].blockLight = 0;
  }
  map->lightMap().relightAll();
  for (size_t i = 0; i < map->cellCount(); ++i) {
    map->cells()[i].skyShadow = 0;
    map->cells()[i].blockLight = 0;
  }
  map->lightMap().relightAllWithShadows();
  fresh->lightMap().relightAllWithShadows();
  for (size_t i = 0; i < map->cellCount(); ++i) {
    ASSERT_EQ(map->cells()[i].skyShadow, fresh->cells()[i].skyShadow) << i;
    ASSERT_EQ(map->cells()[i].blockLight, fresh->cells()[i].blockLight) << i;
  }
}

}  // namespace
