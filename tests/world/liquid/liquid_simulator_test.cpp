#include <gtest/gtest.h>

#include <vector>

#include "content/items/block_edit.h"
#include "tests/world/world_test_blocks.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

using namespace world_test;

constexpr uint8_t kWater = 1, kLava = 2;

uint8_t full(uint8_t kind) { return static_cast<uint8_t>(kind << 6 | 0x24); }
uint8_t levels(uint8_t kind, int fromLeft, int fromRight) {
  return static_cast<uint8_t>(kind << 6 | fromLeft << 3 | fromRight);
}

// Applies the liquid step's edits to one map as the world does: the liquid byte, lava's light,
// and the meeting of two liquids.
class MapGame final : public NullGame {
 public:
  explicit MapGame(WorldMap& map) : map_(map) {}
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase*) override {
    MapBlock& c = *map_.cellAt(edit.x, edit.y);
    const bool held = (c.liquid & 0x3F) != 0;
    switch (edit.kind) {
      case 18:
        c.liquid = edit.valueByte(0);
        if (!held && c.liquidKind() == LiquidKind::Lava) map_.lightMap().setCellEmitting(c);
        break;
      case 19:
        c.liquid = edit.valueByte(0);
        if (held && edit.valueByte(1) >= kLava) map_.lightMap().updateAround(c, false);
        break;
      case 7: c.setLayer(0, 0, MapBlock::kFront); break;
      case 6: c.setLayer(edit.blockId, edit.variant, MapBlock::kFront); break;
      default: break;
    }
    return true;
  }

 private:
  WorldMap& map_;
};

class LiquidTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    world = World::create(nullptr, WorldParams{}, 32, 20);
    map = &world->map();
    for (int x = 0; x < 32; ++x) map->cell(x, 0).setFront(kDirt, 0, 0);  // the floor
    map->lightMap().relightAll();
    game = std::make_unique<MapGame>(*map);
    world->setContext({.edits = game.get()});  // the step's edits go to the world's own sink
  }
  void TearDown() override {
    world.reset();
    WorldTest::TearDown();
  }

  LiquidSimulator& sim() { return map->liquids(); }
  uint8_t liquidAt(int x, int y) { return map->cell(x, y).liquid; }
  void source(int x, int y, uint8_t kind) { sim().activateCell(map->cell(x, y), kind); }
  void wall(int x, int fromY, int toY) {
    for (int y = fromY; y <= toY; ++y) map->cell(x, y).setFront(kDirt, 0, 0);
  }
  // Steps until the simulator goes idle; the number of steps.
  int settle(int most = 200) {
    if (!sim().running()) sim().scheduleStep();
    int steps = 0;
    while (sim().running() && steps < most) {
      sim().step();
      ++steps;
    }
    EXPECT_FALSE(sim().running()) << "still flowing after " << most << " steps";
    return steps;
  }

  std::unique_ptr<World> world;
  WorldMap* map = nullptr;
  std::unique_ptr<MapGame> game;
};

TEST_F(LiquidTest, SourceOnAFlatFloorSpreadsFourCellsEachWayComesToRestAndDrainsWithoutIt) {
  source(10, 1, kWater);
  settle();
  EXPECT_EQ(liquidAt(10, 1), full(kWater));
  const int wantLeft[] = {4, 3, 2, 1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(liquidAt(11 + k, 1), levels(kWater, wantLeft[k], wantLeft[k] - 1)) << "right, cell " << k;
    EXPECT_EQ(liquidAt(9 - k, 1), levels(kWater, wantLeft[k] - 1, wantLeft[k])) << "left, cell " << k;
  }
  for (int x : {5, 15}) EXPECT_EQ(liquidAt(x, 1), 0) << "the fifth cell stays dry";
  EXPECT_EQ(liquidAt(10, 2), 0) << "liquid does not climb";

  EXPECT_FALSE(world->timers().isScheduled(world_timer::kLiquidStep)) << "the idle step unscheduled itself";

  sim().wakeNeighbours(map->cell(10, 1));  // the source removed: what it fed drains
  EXPECT_EQ(liquidAt(10, 1), 0);
  settle();
  for (int x = 5; x <= 15; ++x) EXPECT_EQ(liquidAt(x, 1), 0) << "column " << x;
}

TEST_F(LiquidTest, ColumnFallsFullAndSpreadsWhereItLands) {
  source(10, 15, kWater);
  settle();
  for (int y = 1; y <= 15; ++y) EXPECT_EQ(liquidAt(10, y), full(kWater)) << "row " << y;
  EXPECT_EQ(liquidAt(11, 1), levels(kWater, 4, 3)) << "beside the column's foot, fed from above it";
  EXPECT_EQ(liquidAt(11, 2), 0) << "liquid spreads only over something it rests on";
}

TEST_F(LiquidTest, LavaMeetingWaterLeavesBlock82AndNoLiquid) {
  source(6, 1, kWater);
  source(12, 1, kLava);
  settle();
  int stones = 0;
  for (int x = 7; x <= 11; ++x) {
    const MapBlock& c = map->cell(x, 1);
    if (c.frontId() != kMeltStone) continue;
    ++stones;
    EXPECT_EQ(c.liquid, 0);
  }
  EXPECT_GE(stones, 1);
  EXPECT_TRUE(map->cell(13, 1).hasFlag(cell_flag::kEmitsLight)) << "lava that arrived lights its cell";
}

}  // namespace

namespace {

class FollowUpRules final : public NullLogic {
 public:
  void endFishingAtCell(MapBlock& cell) override { ended.push_back(cell.x); }
  void effectOnEntitiesAtCell(MapBlock& cell) override { burnt.push_back(cell.x); }
  std::vector<int> ended, burnt;
};

// A cell recomputed to the liquid it already holds needs no edit, but fishing in a dry cell still
// ends and lava still burns what stands in it.
TEST_F(LiquidTest, AnUnchangedCellStillEndsFishingWhenDryAndBurnsWithLava) {
  FollowUpRules rules;
  world->setContext({.rules = &rules, .edits = game.get()});
  source(10, 1, kLava);
  settle();
  rules.burnt.clear();
  sim().queueCell(map->cell(10, 1));
  sim().queueCell(map->cell(25, 1));
  settle();
  EXPECT_EQ(rules.burnt, std::vector<int>{10});
  EXPECT_EQ(rules.ended, std::vector<int>{25});
}

}  // namespace
