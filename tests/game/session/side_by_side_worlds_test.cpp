// Two whole games in one process, as a host's and a client's will be: each world's liquids,
// circuits, entities and game tasks run on that world's own timers, side by side, and either world
// may go first while the scheduler keeps running the other.

#include <memory>

#include "content/items/item.h"
#include "entities/core/real_entity.h"
#include "game/session/session_entities.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/game/session/side_session.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/map_block.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace game_test {
namespace {

constexpr uint8_t kWater = 1;
constexpr int kFloorRow = 4;

// A running game with a floor, a water source on it, a ticking circuit clock and a dropped item
// in the air.
struct PlayingSide : SideSession {
  PlayingSide() {
    World& w = world();
    for (int32_t x = 0; x < 40; ++x) w.cellAt(x, kFloorRow)->setLayer(world_test::kDirt, 0, MapBlock::kFront);
    w.map().lightMap().relightAll();
    pour(10);
    w.circuits().onBlockPlaced(*w.cellAt(30, 20), circuit_kind::kClock);
    drop = session.rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {20 * 30.0f, 12 * 30.0f}, 7);
    session.game().startTimers();
  }
  // A new source, flowing from the next liquid step on.
  void pour(int32_t x) {
    MapBlock& cell = *world().cellAt(x, kFloorRow + 1);
    world().map().liquids().activateCell(cell, kWater);
    world().map().liquids().queueCell(cell);
  }
  bool wet(int32_t x) { return (world().cellAt(x, kFloorRow + 1)->liquid & 0x3F) != 0; }
  int32_t dropRow() const { return static_cast<RealEntity*>(drop)->data.cell->y; }

  Entity* drop = nullptr;
};

class SideBySideWorldsTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    WorldTest::SetUp();
  }
  void TearDown() override {
    WorldTest::TearDown();
    scenetest::resetScene();
  }
  static void frames(int count) {
    for (int i = 0; i < count; ++i) engine::Director::getInstance()->getScheduler()->update(1.0f / 60.0f);
  }
};

TEST_F(SideBySideWorldsTest, BothWorldsRunTheirOwnTimersAndEitherMayGoFirst) {
  for (const bool firstGoesFirst : {true, false}) {
    auto first = std::make_unique<PlayingSide>();
    auto second = std::make_unique<PlayingSide>();
    frames(120);
    for (PlayingSide* side : {first.get(), second.get()}) {
      EXPECT_TRUE(side->wet(11)) << "the water spread in each world";
      EXPECT_LT(side->dropRow(), 12) << "each world's entities fell";
      EXPECT_TRUE(side->world().circuits().pending());
    }

    std::unique_ptr<PlayingSide>& goes = firstGoesFirst ? first : second;
    std::unique_ptr<PlayingSide>& stays = firstGoesFirst ? second : first;
    goes.reset();
    stays->pour(25);
    frames(120);
    EXPECT_TRUE(stays->wet(26)) << "the world left behind flows on";
    WorldTimers& timers = stays->world().timers();
    for (const int key : {world_timer::kRules, world_timer::kEntities, world_timer::kCircuitStep,
                          world_timer::kPlayerUpdate}) {
      EXPECT_TRUE(timers.isScheduled(key)) << "task " << key << ", first goes first: " << firstGoesFirst;
    }
    stays.reset();
    frames(120);
  }
}

}  // namespace
}  // namespace game_test
