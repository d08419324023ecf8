// The local rules' player questions: iteration over the one player, distances across the seam,
// the target a mob picks, and the random pick of a present player.

#include "tests/game/game_fixture.h"

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

}  // namespace
}  // namespace game_test
