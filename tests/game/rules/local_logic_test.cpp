// The local rules: distances across the seam, a lever's circuit input, and forges that keep
// smelting through a pause and refresh the player who watches them.

#include "content/items/block_edit.h"
#include "game/player/player.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/forge.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"

namespace game_test {
namespace {

class LocalLogicTest : public GameTest {};

TEST_F(LocalLogicTest, DistancesFoldAcrossTheSeam) {
  player->setCellCoordinates(0, 10);
  const struct {
    int32_t x, y;
    uint16_t dx, dy;
    uint32_t distance;
  } cases[] = {{kWidth - 1, 10, 1, 0, 1}, {3, 14, 3, 4, 5}, {kWidth - 5, 7, 5, 3, 5}};
  for (const auto& c : cases) {
    const auto offset = rules.offsetToNearestPlayer(at(c.x, c.y));
    EXPECT_EQ(offset.first, c.dx) << c.x;
    EXPECT_EQ(offset.second, c.dy) << c.x;
    EXPECT_EQ(rules.distanceToNearestPlayer(at(c.x, c.y)), c.distance) << c.x;
  }
}

TEST_F(LocalLogicTest, ALeversSignalDrivesTheWireItFeeds) {
  constexpr uint16_t kLever = 2086;
  constexpr uint8_t kOn = 2, kOff = 1;  // the signals a thrown lever sends
  defineBlock(kLever, {.flags = bits({45}), .transparency = 1, .variants = 2});
  remakeWorld();  // the map reads the block rows when it is made
  auto apply = [&](uint8_t kind, int32_t x, uint16_t id, uint8_t part = 0) {
    BlockEdit e;
    e.kind = kind;
    e.x = static_cast<uint16_t>(x);
    e.y = 5;
    e.blockId = id;
    if (part != 0) e.setValueByte(0, part);
    ASSERT_FALSE(world->applyBlockEdit(e, nullptr).wasRefused());
  };
  auto steps = [&] {
    for (int i = 0; i < 3; ++i) world->circuits().step();
  };
  auto wireState = [&](int32_t x) { return circuit_signal::state(signalByte(at(x, 5))); };
  apply(edit_kind::kSetLayerBlock, 5, kLever);
  for (int32_t x = 6; x <= 9; ++x) apply(edit_kind::kCircuitPartSet, x, 0, circuit_kind::kWire);
  steps();
  ASSERT_NE(wireState(9), circuit_signal::kHigh);
  rules.setCircuitInput(at(5, 5), kOn);
  steps();
  EXPECT_EQ(wireState(9), circuit_signal::kHigh);
  rules.setCircuitInput(at(5, 5), kOff);
  steps();
  EXPECT_NE(wireState(9), circuit_signal::kHigh);
}

class LogicTimerTasksTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    rules.startTimers();
  }
  void seconds(int count) {
    for (int i = 0; i < count; ++i) rules.timers().step();
  }
  uint16_t countdownOf(uint32_t id) {
    for (const LogicTimer& timer : rules.timers().records()) {
      if (timer.id == id) return timer.countdown;
    }
    return 0;
  }
};

TEST_F(LogicTimerTasksTest, ForgesSmeltThroughAPauseAndRefreshTheirWatcher) {
  auto& forge = static_cast<Forge&>(world->forges().add(std::make_unique<Forge>(at(5, 5))));
  forge.setItem(Forge::kFuel, makeItem(64, 1));
  forge.setItem(Forge::kInput, makeItem(65, 3));
  auto& cold = static_cast<Forge&>(world->forges().add(std::make_unique<Forge>(at(7, 5))));
  player->setOpenContainer(&cold);
  game.pause();
  seconds(2);
  const uint16_t buffsBefore = countdownOf(11);
  seconds(13);
  EXPECT_EQ(countdownOf(11), buffsBefore);  // ordinary tasks wait
  ASSERT_NE(forge.itemAt(Forge::kOutput), nullptr);
  EXPECT_EQ(forge.itemAt(Forge::kOutput)->id, 1538);
  EXPECT_TRUE(events.forgeResults.empty());  // the watched forge is cold
  player->setOpenContainer(&forge);
  seconds(3);
  EXPECT_EQ(events.forgeResults.size(), 1u);
  player->setOpenContainer(nullptr);
}

}  // namespace
}  // namespace game_test
