// What a world read from its file has made before it is played: the file keeps no light, so the
// reader lights the cells and works out their shadow edges, and it finds every column's surface.
#include <gtest/gtest.h>

#include "tests/saves/world/world_file_fixture.h"
#include "tests/support/two_pass_relight_reference.h"

namespace saves_test {
namespace {

using world_test::kDirt;
using world_test::kGlass;
using world_test::kTorch;

class WorldFileLightTest : public WorldFileTest {
 protected:
  static int groundOf(int x) { return 40 + x % 7; }

  // Ground up to a height of its own in every column, with the surface line along it; in every
  // ninth column a hollow with the ground behind it just under the surface and a torch-lit one deep
  // underground; a pane of glass on the ground every eleventh column.
  static void buildGround(WorldMap& map) {
    for (int x = 0; x < map.width(); ++x) {
      const int ground = groundOf(x);
      map.surfaceLines()[static_cast<size_t>(x)] = static_cast<uint16_t>(ground);
      for (int y = 0; y < ground; ++y) {
        map.cell(x, y).setFront(kDirt, 0, 0);
        map.cell(x, y).setLayer(kDirt, 0, MapBlock::kBack);
      }
      if (x % 9 == 0) {
        for (const int y : {ground - 2, ground - 3, 12, 13}) map.cell(x, y).setFront(0, 0, 0);
        map.cell(x, 12).setFront(kTorch, 0, 0);
      }
      if (x % 11 == 0) map.cell(x, ground).setFront(kGlass, 0, 0);
    }
  }
};

TEST_F(WorldFileLightTest, AWorldReadBackIsLitAndShadedAsTheShadowsThenTheLightWouldHaveIt) {
  auto world = makeWorld();
  buildGround(world->map());
  auto loaded = load(save(*world));
  ASSERT_NE(loaded, nullptr);

  WorldMap& map = loaded->map();
  size_t shaded = 0, torchLit = 0, halfSky = 0;
  for (size_t i = 0; i < map.cellCount(); ++i) {
    const MapBlock& cell = map.cells()[i];
    shaded += cell.shadowEdges() != 0 ? 1 : 0;
    torchLit += (cell.blockLight & 0x0FFF) != 0 ? 1 : 0;
    halfSky += cell.skyLevel() > 0 && cell.skyLevel() < 15 ? 1 : 0;
  }
  EXPECT_GT(shaded, 100u) << "the hollows' walls and the ground's top cast edges";
  EXPECT_GT(torchLit, 100u);
  EXPECT_GT(halfSky, 100u);
  EXPECT_EQ(testsupport::cellsLitOtherwiseThanByTheReference(map), 0u);
}

// A loaded world is entered as a generated one is: with the top of every column found.
TEST_F(WorldFileLightTest, AWorldReadBackKnowsTheTopOfEveryColumn) {
  auto world = makeWorld();
  buildGround(world->map());
  auto loaded = load(save(*world));
  ASSERT_NE(loaded, nullptr);
  const WorldMap& map = loaded->map();
  for (int x = 0; x < map.width(); ++x) {
    // The glass on the ground is a column's top too: it stops what falls.
    const int top = groundOf(x) + (x % 11 == 0 ? 1 : 0);
    ASSERT_EQ(map.topHeight(x), top) << "column " << x;
  }
}

}  // namespace
}  // namespace saves_test
