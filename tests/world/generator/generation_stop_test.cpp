// A world's generation asked to stop ends at its next check: no later stage runs, and the world
// is left idle (not busy, its liquids handed back) for its maker to throw away.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "tests/world/generator/generator_fixture.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

using namespace world_test;

using GenerationStopTest = GeneratorTest;

TEST_F(GenerationStopTest, AStopAskedDuringAStageEndsTheGenerationBeforeTheNext) {
  PlanetDef& p = planet();
  p.terrainBlocks = {{kStone, 1}};
  p.poolRules = {{0.0f, 0.9f, 2.0f, 4, 400, 1, 3, 1}};
  WorldParams params;
  params.planetId = kPlanetId;
  World world(nullptr, params, 256, 128);
  std::atomic<bool> stop{false};
  std::vector<std::string> stages;
  world.generate(
      [&](const char* text) {
        stages.emplace_back(text);
        if (stages.back() == "Spawning caves..") stop = true;
      },
      {}, &stop);

  EXPECT_EQ(stages.back(), "Spawning caves..") << "no stage after the stop was reported";
  EXPECT_FALSE(world.isBusy());
  EXPECT_FALSE(world.map().liquids().running()) << "the liquids left their settling";
}

}  // namespace
