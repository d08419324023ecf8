// The local rules' player questions: iteration over the one player, distances across the seam,
// the target a mob picks, the random pick of a present player, and a lever's circuit input.

#include "content/items/block_edit.h"
#include "tests/game/game_fixture.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/edit_kind.h"

namespace game_test {
namespace {

class LocalLogicTest : public GameTest {};

TEST_F(LocalLogicTest, TheOnePlayerIsVisitedAndFound) {
  int visits = 0;
  rules.forEachPlayer([&visits](PlayerBase*) { ++visits; });
  EXPECT_EQ(visits, 1);
  EXPECT_EQ(rules.playerCount(), 1u);
  EXPECT_EQ(rules.somePlayer(), player.get());
  EXPECT_TRUE(rules.isPlayerPresent(player.get()));
  EXPECT_EQ(rules.firstPlayerWhere([](PlayerBase*) { return true; }), player.get());
  EXPECT_EQ(rules.firstPlayerWhere([](PlayerBase*) { return false; }), nullptr);
  player->stats.buffFlags = 1u << player_flag::kTarget;
  EXPECT_EQ(rules.mobTargetPlayer(nullptr), nullptr);
}

TEST_F(LocalLogicTest, DistancesFoldAcrossTheSeam) {
  player->setCellCoordinates(0, 10);
  const struct {
    int32_t x, y;
    uint16_t dx, dy;
    uint32_t distance;
  } cases[] = {{kWidth - 1, 10, 1, 0, 1}, {3, 14, 3, 4, 5}, {20, 10, 20, 0, 20}, {kWidth - 5, 7, 5, 3, 5}};
  for (const auto& c : cases) {
    const auto offset = rules.offsetToNearestPlayer(at(c.x, c.y));
    EXPECT_EQ(offset.first, c.dx) << c.x;
    EXPECT_EQ(offset.second, c.dy) << c.x;
    EXPECT_EQ(rules.distanceToNearestPlayer(at(c.x, c.y)), c.distance) << c.x;
  }
}

TEST_F(LocalLogicTest, APresentPlayerIsDrawnOrNoneWhenNobodyIsPresent) {
  Player a(&game), b(&game);
  const std::vector<PlayerBase*> players{&a, nullptr, &b};
  EXPECT_EQ(pickPresentPlayer(players, [](PlayerBase*) { return false; }), nullptr);
  EXPECT_EQ(pickPresentPlayer({}, [](PlayerBase*) { return true; }), nullptr);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(pickPresentPlayer(players, [&b](PlayerBase* p) { return p == &b; }), &b);
  }
}

TEST_F(LocalLogicTest, ThePlayerPositionWrapsBeforeItIsHandedOn) {
  const float pixels = kWidth * 30.0f;
  const struct {
    float x, wrapped;
  } cases[] = {{pixels - 15, pixels - 15}, {pixels - 14, -14}, {-15, -15}, {-16, pixels - 16}, {100, 100}};
  for (const auto& c : cases) {
    player->position.x = c.x;
    EXPECT_FLOAT_EQ(game.wrappedPlayerPosition().x, c.wrapped) << c.x;
    EXPECT_FLOAT_EQ(player->position.x, c.wrapped);
  }
}

TEST_F(LocalLogicTest, ALocalGameDropsNoNullItemAndRefusesTrades) {
  GameLocal fresh(&rules);
  Item* none = nullptr;
  fresh.dropItem(none);
  EXPECT_EQ(none, nullptr);
  EXPECT_TRUE(drops.dropped.empty());
  game.requestTrade(nullptr);
  ASSERT_EQ(events.texts.size(), 1u);
  EXPECT_EQ(events.texts[0].id, GameLocal::kTextTradeNeedsMultiplayer);
}

// A lever's signal reaches the world's circuits: the wire it feeds carries it after the circuit
// steps, and turning the lever off takes it away again.
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
  EXPECT_EQ(wireState(6), circuit_signal::kHigh);
  EXPECT_EQ(wireState(9), circuit_signal::kHigh);
  rules.setCircuitInput(at(5, 5), kOff);
  steps();
  EXPECT_NE(wireState(9), circuit_signal::kHigh);
}

}  // namespace
}  // namespace game_test
