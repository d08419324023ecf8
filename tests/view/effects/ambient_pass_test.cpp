// The ambient pass: rain over the open cells above the player keeps its loudness even when the
// particles are at their live limit; glints and bubbles over the visible cells.

#include "view/effects/ambient_pass.h"

#include <gtest/gtest.h>

#include "entities/particles/debris_list.h"
#include "entities/particles/debris_count.h"
#include "entities/particles/debris_presets.h"
#include "tests/entities/entity_world.h"
#include "view/effects/sparkle_emitters.h"
#include "world/cells/block_flags.h"

namespace {

using entity_test::kGround;

class AmbientPassTest : public entity_test::EntityWorld {
 protected:
  AmbientPassTest() {
    world->setContext({.rules = &rules, .effects = &lists});
    std::fill(world->map().surfaceLines().begin(), world->map().surfaceLines().end(), uint16_t(kGround + 1));
  }
  uint32_t pass() {
    engine::randomSeed(5);
    return spawnWeatherParticles(*world, area, {});
  }
  void fillPool() {
    while (lists.debris().size() < DebrisCount::kLiveLimit) {
      spawnTileDebris(lists.debris(), 17, 20, cell(3, kGround + 1), 0, false);
    }
  }

  AmbientArea area{.columns = 11, .rows = 7, .playerX = 20, .playerY = kGround + 2};
};

TEST_F(AmbientPassTest, RainCountsEveryOpenCellTriedEvenWithAFullPool) {
  world->weather().kind = WeatherKind::Rain;
  const uint32_t drops = pass();
  EXPECT_GT(drops, 0u);
  EXPECT_GE(lists.debris().size(), drops);

  lists.debris().clear();
  fillPool();
  const size_t before = lists.debris().size();
  // 21 columns, two tries of one half each, all open: about 21 either way.
  const uint32_t full = pass();
  EXPECT_GT(full, 10u);
  EXPECT_GT(drops, 10u);
  EXPECT_EQ(lists.debris().size(), before);
}

TEST_F(AmbientPassTest, ClearWeatherMakesNoDropsAndSnowCountsNone) {
  EXPECT_EQ(pass(), 0u);
  EXPECT_EQ(lists.debris().size(), 0u);
  world->weather().kind = WeatherKind::Snow;
  EXPECT_EQ(pass(), 0u);
  EXPECT_GT(lists.debris().size(), 0u);
}

TEST_F(AmbientPassTest, StillLiquidBubblesAndMovingLiquidDoesNot) {
  MapBlock& pool = cell(20, kGround + 1);
  pool.liquid = uint8_t((1 << 6) | 3);  // water, three parts
  pass();
  EXPECT_EQ(lists.debris().size(), 2u);
  lists.debris().clear();
  pool.flags |= cell_flag::kLiquidSource;  // still moving
  pass();
  EXPECT_EQ(lists.debris().size(), 0u);
}

// The table's ambient-emitter bit makes a lit cell give off one particle, and its light bit with a
// sparkle row makes a block glint three times; a block with neither, in the same light, does
// nothing.
TEST_F(AmbientPassTest, LitEmittersGiveOffParticlesAndLightSourcesGlint) {
  constexpr uint16_t kTorch = 341;  // a light source with a sparkle row
  constexpr uint16_t kEmitter = 12;
  const struct {
    uint16_t block;
    int flag;
    size_t particles;
  } cases[] = {{kEmitter, block_flag::kAmbientEmitter, 1}, {kTorch, block_flag::kEmitsLight, 3},
               {kEmitter, block_flag::kOriented, 0}, {kTorch, block_flag::kCircuitOutput, 0}};
  MapBlock& lit = cell(20, kGround + 1);
  lit.setSkyLevel(15);
  for (const auto& c : cases) {
    world->map().mutableProps().mutableRow(c.block).flags = uint64_t{1} << c.flag;
    lit.setFront(c.block, 0, 0);
    lists.debris().clear();
    pass();
    EXPECT_EQ(lists.debris().size(), c.particles) << c.block << " with bit " << c.flag;
    world->map().mutableProps().mutableRow(c.block).flags = 0;
  }
}

TEST(SparkleEmitters, FirstRowOfABlockAndTheNoGlintRows) {
  ASSERT_NE(sparkleEmitterFor(341), nullptr);
  EXPECT_EQ(sparkleEmitterFor(341)->list, 29);
  EXPECT_EQ(sparkleEmitterFor(341)->positionKind, 1);
  EXPECT_EQ(sparkleEmitterFor(2328)->list, 36);
  EXPECT_EQ(sparkleEmitterFor(44)->positionKind, 7);
  EXPECT_EQ(sparkleEmitterFor(2), nullptr);
}

}  // namespace
