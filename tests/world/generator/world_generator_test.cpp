#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/generator/generator_fixture.h"
#include "world/generator/terrain_passes.h"
#include "world/liquid/liquid_simulator.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace world_test;

class WorldGeneratorTest : public GeneratorTest {
 protected:
  // A planet with something in every stage.
  void busyPlanet() {
    PlanetDef& p = planet();
    p.terrainBlocks = {{kStone, 3}, {kDirt, 1}};
    p.veinRules = {{kOre, 1.0f, {{exact(kStone), 0.0f, 0.9f, 4.0f, 3, 8}}}};
    p.caveRules = {{0.1f, 0.9f, 3.0f, 0.1f, 80}};
    p.wormRules = {{1.5f, 1.5f, 1.0f, 0.1f, 0.9f, 20, 60, 3, 8, 10, 60}};
    p.poolRules = {{0.0f, 0.8f, 1.0f, 4, 400, 1, 3, 1}};
    p.parameters.liquidLevel = 2;
  }
};

TEST_F(WorldGeneratorTest, SpawnSkipsWetColumnsAndFallsBackToTheMiddle) {
  WorldGenerator& g = makeWorld(32, 32);
  fillGround(kStone, 10);
  for (int32_t x = 0; x < 32; ++x) map().surfaceLines()[static_cast<size_t>(x)] = 10;
  map().cell(16, 10).liquid = 0x64;
  map().cell(15, 10).liquid = 0x64;
  EXPECT_EQ(findSpawnCell(g).column, 17) << "offsets 0, -1, +1";
  for (int32_t x = 0; x < 32; ++x) map().cell(x, 10).liquid = 0x64;
  EXPECT_EQ(findSpawnCell(g).column, 16);
  EXPECT_EQ(g.counts.gaveUp[static_cast<size_t>(RetryKind::Spawn)], 1u);
}

TEST_F(WorldGeneratorTest, TheSameSeedGivesTheSameWorldCellForCell) {
  busyPlanet();
  std::vector<MapBlock> first;
  for (int run = 0; run < 2; ++run) {
    engine::randomSeed(99);
    WorldGenerator& g = makeWorld(256, 128);
    generateWorld(g, params_, kGenerationFlagWord);
      std::vector<MapBlock> cells(map().cells(), map().cells() + map().cellCount());
    if (run == 0) {
      first = std::move(cells);
      continue;
    }
    ASSERT_EQ(first.size(), cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
      ASSERT_EQ(std::memcmp(&first[i], &cells[i], sizeof(MapBlock)), 0) << "cell " << i;
    }
  }
  EXPECT_GT(countFront(kOre), 0);
}

// Counts every edit that reaches the current game: a world being generated must send none.
class CountingGame final : public NullGame {
 public:
  bool applyBlockEdit(const BlockEdit&, PlayerBase*) override {
    ++edits;
    return false;
  }
  int edits = 0;
};

using WorldGenerateTest = GeneratorTest;

TEST_F(WorldGenerateTest, GeneratingSendsNothingToTheGameAndHandsTheLiquidsBack) {
  PlanetDef& p = planet();
  p.terrainBlocks = {{kStone, 1}};
  p.caveRules = {{0.1f, 0.9f, 4.0f, 0.1f, 120}};
  p.poolRules = {{0.0f, 0.9f, 2.0f, 4, 400, 1, 3, 1}};
  p.parameters.liquidLevel = 30;
  CountingGame game;
  WorldParams params;
  params.planetId = kPlanetId;
  World world(nullptr, params, 256, 128, {.edits = &game});
  world.generate([](const char*) {});

  EXPECT_EQ(game.edits, 0) << "nothing of the generation reached the game";
  EXPECT_FALSE(world.map().liquids().running()) << "the game's timers schedule the first step";
  EXPECT_GT(world.generationCounts().liquidSources, 0u);
}


}  // namespace
