// The spawn of a generated world, over many seeds of every planet and every size: a new player set
// down there stands in an open cell on a full block, with no liquid a few cells around it (a
// one-cell acid pool beside the spawn once killed the player in seconds) and no drop beside it that
// a fall would hurt it in (a spawn on a ledge over a chasm once did).

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "world/cells/block_flags.h"
#include "world/cells/map_block.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr int kLiquidReach = 3;
constexpr int kWalkReach = 4;
// A fall of six rows or more hurts (the landing rules).
constexpr int kHurtingFall = 6;

struct Generated {
  std::unique_ptr<World> world;
  SpawnCell spawn;
};

Generated generate(uint32_t planetId, uint8_t sizeIndex, unsigned seed) {
  WorldParams params;
  params.planetId = planetId;
  params.sizeIndex = sizeIndex;
  engine::randomSeed(seed);
  Generated g{World::create(nullptr, params), {}};
  g.spawn = g.world->generate(nullptr);
  return g;
}

bool passable(const WorldMap& map, const MapBlock& cell) {
  return map.props()[cell.frontId()].transparency != 0 && !cell.isSolid(map.props());
}

// What is wrong with the spawn, or an empty text.
std::string spawnFault(const WorldMap& map, SpawnCell spawn) {
  const int x = spawn.column, y = spawn.row;
  const MapBlock* cell = map.cellAt(x, y);
  const MapBlock* below = map.cellAt(x, y - 1);
  if (cell == nullptr || below == nullptr) return "outside the map";
  if (!passable(map, *cell)) return "the spawn cell is taken by block " + std::to_string(cell->frontId());
  if (!map.props()[below->frontId()].opaque()) return "no full block under the spawn";
  if (map.props()[cell->frontId()].has(block_flag::kHarmful)) return "the spawn cell hurts";
  for (int dx = -kLiquidReach; dx <= kLiquidReach; ++dx) {
    for (int dy = -kLiquidReach; dy <= kLiquidReach; ++dy) {
      const MapBlock* near = map.cellAt(x + dx, y + dy);
      if (near != nullptr && near->holdsOrSourcesLiquid()) {
        return "liquid at " + std::to_string(dx) + "," + std::to_string(dy) + " from the spawn";
      }
    }
  }
  // Walking off either way: the player falls down every open column until a wall stops it.
  for (int step : {-1, 1}) {
    int row = y;
    for (int i = 1; i <= kWalkReach; ++i) {
      const MapBlock* next = map.cellAt(x + step * i, row);
      if (!passable(map, *next)) break;
      int fall = 0;
      while (row > 0 && passable(map, *map.cellAt(x + step * i, row - 1))) {
        --row;
        ++fall;
      }
      if (fall >= kHurtingFall) {
        return "a fall of " + std::to_string(fall) + " rows " + std::to_string(i) + " columns " +
               (step < 0 ? "left" : "right") + " of the spawn";
      }
    }
  }
  return {};
}

class SafeSpawnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
    ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
    ASSERT_EQ(planetDefs().size(), 12u);
  }
  void TearDown() override { resetContentDatabase(); }

  void expectSafeSpawns(uint8_t sizeIndex, unsigned firstSeed, unsigned seeds) {
    for (const auto& planet : planetDefs()) {
      for (unsigned seed = firstSeed; seed < firstSeed + seeds; ++seed) {
        const Generated g = generate(planet->id, sizeIndex, seed);
        const std::string fault = spawnFault(g.world->map(), g.spawn);
        EXPECT_TRUE(fault.empty()) << planet->name << " size " << int{sizeIndex} << " seed " << seed << " spawn "
                                   << g.spawn.column << "," << g.spawn.row << ": " << fault;
      }
    }
  }
};

TEST_F(SafeSpawnTest, TheSmallestWorldsOfEveryPlanetSetThePlayerDownSafely) { expectSafeSpawns(0, 1, 40); }

TEST_F(SafeSpawnTest, TheSecondSizeSetsThePlayerDownSafely) { expectSafeSpawns(1, 1, 16); }

TEST_F(SafeSpawnTest, TheLargerSizesSetThePlayerDownSafely) {
  for (uint8_t size = 2; size <= 4; ++size) expectSafeSpawns(size, 7, 1);
}

}  // namespace
