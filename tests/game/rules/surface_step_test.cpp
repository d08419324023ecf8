// The random surface step: which cells around the player grow a surface decoration in clear
// weather and in snow, what snow clears first, and the leaves it lets fall.

#include "content/items/block_rules.h"
#include "engine/base/random.h"
#include "game/rules/surface_step.h"
#include "tests/game/game_fixture.h"
#include "world/cells/visible_cell_counts.h"
#include "world/trees/leaf_decay.h"
#include "world/weather/weather_state.h"

namespace game_test {
namespace {

using world_test::bits;

constexpr uint16_t kSoil = 1728;  // a soil of the content tables
const uint16_t kCover = blockCategory(surface_step::kClearKind, CellInfo{0, 0, kSoil});
constexpr uint16_t kStone = world_test::kDirt;  // opaque, but no soil
constexpr uint16_t kTuft = 40;                  // a removable attachment
constexpr uint16_t kRoot = 41;                  // keeps cover off its cell
constexpr uint16_t kLooseRoot = 42;             // keeps cover off, but is a removable attachment
constexpr uint16_t kSnow = surface_step::kSnowCover;
const VisibleCellCounts kView{5, 5};

class SurfaceStepTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_NE(kCover, 0);
    shape(kSoil, {.flags = bits({23}), .transparency = 0});
    shape(kCover, {.variantCount = 3, .transparency = 2});
    shape(kTuft, {.flags = bits({27}), .transparency = 2});
    shape(kRoot, {.flags = bits({29}), .transparency = 2});
    shape(kLooseRoot, {.flags = bits({27, 29}), .transparency = 2});
    shape(kSnow, {.transparency = 2});
    player->setCellCoordinates(10, 10);
  }
  // Ground of the block at the cell, lit to the level, open air above.
  MapBlock& ground(int32_t x, int32_t y, uint16_t id, uint8_t light = 15) {
    MapBlock& cell = at(x, y);
    cell.setLayer(id, 0, MapBlock::kFront);
    cell.setSkyLevel(light);
    return cell;
  }
  void weather(WeatherKind kind) { world->weather().kind = kind; }
  bool step() { return randomSurfaceStep(*world, rules, *player, kView); }
  static bool holds(MapBlock& cell, uint16_t id) { return cell.findDeco(id).slot != nullptr; }
};

TEST_F(SurfaceStepTest, ClearWeatherGrowsCoverOnLitOpenSoilOnly) {
  struct Case {
    const char* name;
    uint16_t block;
    uint8_t light;
    uint16_t deco;        // already on the cell, 0 for none
    uint8_t liquidAbove;  // liquid byte of the cell above
    bool grows;
  };
  const Case cases[] = {
      {"lit soil", kSoil, 10, 0, 0, true},
      {"light 9 is too dim", kSoil, 9, 0, 0, false},
      {"a tuft does not keep cover off", kSoil, 15, kTuft, 0, true},
      {"a root keeps cover off", kSoil, 15, kRoot, 0, false},
      {"water above", kSoil, 15, 0, 0x41, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapBlock& cell = ground(10, 9, c.block, c.light);
    for (MapDeco& deco : cell.decos) map_deco::clear(deco);
    if (c.deco != 0) cell.addDeco(c.deco, 0, MapBlock::kFront);
    at(10, 10).liquid = c.liquidAbove;
    EXPECT_EQ(step(), c.grows);
    EXPECT_EQ(holds(cell, kCover), c.grows);
  }
}

// A tunnel floor lit by a torch, or by the light a player carries, lies in the ground without
// daylight: grass and flowers are surface growth and do not sprout there, nor at night.
TEST_F(SurfaceStepTest, LampLightAloneGrowsNoCoverAndNeitherDoesTheNight) {
  MapBlock& floor = ground(10, 9, kSoil, 0);
  floor.blockLight = 0xFFF;
  at(10, 10).blockLight = 0xFFF;
  ASSERT_GT(floor.lightLevel(0), surface_step::kDimmestLight);
  EXPECT_FALSE(step());
  EXPECT_FALSE(holds(floor, kCover));

  floor.blockLight = 0;
  floor.setSkyLevel(15);
  world->dayClock().darkness = 12;
  EXPECT_FALSE(step()) << "daylight 3 at night";
  world->dayClock().darkness = 0;
  EXPECT_TRUE(step());
  EXPECT_TRUE(holds(floor, kCover));
}

TEST_F(SurfaceStepTest, SnowSettlesOnTheTopGroundCellAndClearsAttachments) {
  weather(WeatherKind::Snow);
  MapBlock& cell = ground(10, 9, kStone, 0);
  cell.addDeco(kLooseRoot, 0, MapBlock::kFront);
  cell.addDeco(kTuft, 0, MapBlock::kFront);
  world->map().surfaceLines()[9] = 10;  // another column's line says nothing of this one
  EXPECT_FALSE(step());
  world->map().surfaceLines()[10] = 10;
  EXPECT_TRUE(step());
  EXPECT_TRUE(holds(cell, kSnow));
  EXPECT_FALSE(holds(cell, kTuft));
  EXPECT_FALSE(holds(cell, kLooseRoot));
  EXPECT_FALSE(step());  // snow lies there already
}

TEST_F(SurfaceStepTest, EachStepFirstLetsARegisteredLeafWithoutATrunkFall) {
  constexpr uint16_t kLeaf = 43, kTrunk = 44;
  shape(kLeaf, {.flags = bits({9}), .transparency = 1});
  shape(kTrunk, {.flags = bits({8, 23}), .transparency = 0});
  weather(WeatherKind::Snow);  // snow on no ground: the step itself finds nothing to cover
  MapBlock& loose = at(30, 20);
  loose.setLayer(kLeaf, 0, MapBlock::kFront);
  MapBlock& held = at(40, 20);
  held.setLayer(kLeaf, 0, MapBlock::kFront);
  at(42, 21).setLayer(kTrunk, 0, MapBlock::kFront);  // within three cells of the held leaf
  world->leafDecay().restore(loose, MapBlock::kFront);
  world->leafDecay().restore(held, MapBlock::kFront);
  step();
  step();
  EXPECT_EQ(world->leafDecay().size(), 0u) << "one entry leaves the registry per step";
  EXPECT_EQ(loose.frontId(), 0) << "no trunk within reach: the leaf falls";
  EXPECT_EQ(held.frontId(), kLeaf) << "a trunk within three cells keeps it";
}

// Alone in her world the player the rules' tick steps around is hers without a draw: the numbers
// the spawning and the weather draw next are the ones they would have drawn with no tick.
TEST_F(SurfaceStepTest, ALonePlayerIsTheOneAroundWhomTheTickStepsWithoutADraw) {
  engine::randomSeed(5);
  const int first = engine::randomNext();
  engine::randomSeed(5);
  EXPECT_EQ(rules.somePlayer(), player.get());
  EXPECT_EQ(engine::randomNext(), first) << "no number was drawn to pick her";
}

}  // namespace
}  // namespace game_test
