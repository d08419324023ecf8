// The achievements of the map's edges, earned by walking the body there: "End Of File" in the
// bottom rows, "Head In The Clouds" in the top row, neither in a creative world.

#include "game/player/player_body.h"
#include "game/stats/stats_player_events.h"
#include "game/stats/stats_store.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

constexpr size_t kEndOfFile = 103;
constexpr size_t kHeadInTheClouds = 104;
// More than enough game time for any walk here: ten seconds of ticks.
constexpr int kTickLimit = 600;

class MapEdgeAchievementsTest : public GameTest {
 protected:
  PlayerEvents& playerSink() override { return sink; }

  void SetUp() override {
    GameTest::SetUp();
    player->stats.maxHealth = 5;
    player->revive();
  }
  // Ticks until the player's row is `row`, at most the tick limit; whether it got there.
  bool tickUntilRow(uint32_t row) {
    for (int i = 0; i < kTickLimit && player->cellY != row; ++i) ticks(1);
    return player->cellY == row;
  }
  void flyToTheTop() {
    player->stats.setFlag(player_flag::kFlying, true);
    player->setMoveKeys(MotionEvent::kUp);
    ASSERT_TRUE(tickUntilRow(kHeight - 1));
  }

  StatsStore store;
  StatsPlayerEvents sink{store};
};

TEST_F(MapEdgeAchievementsTest, FallingIntoTheBottomRowsEarnsEndOfFile) {
  floorAt(2);
  player->setCell(10, 12);
  ASSERT_TRUE(tickUntilRow(6));
  EXPECT_FALSE(store.isUnlocked(kEndOfFile));  // row 6 is not yet the bottom
  ASSERT_TRUE(tickUntilRow(3));
  EXPECT_TRUE(store.isUnlocked(kEndOfFile));
  EXPECT_FALSE(store.isUnlocked(kHeadInTheClouds));
}

TEST_F(MapEdgeAchievementsTest, FlyingUpToTheTopRowEarnsHeadInTheClouds) {
  floorAt(10);
  player->setCell(10, 11);
  ticks(2);
  EXPECT_FALSE(store.isUnlocked(kHeadInTheClouds));
  flyToTheTop();
  ticks(1);
  EXPECT_TRUE(store.isUnlocked(kHeadInTheClouds));
  EXPECT_FALSE(store.isUnlocked(kEndOfFile));
}

TEST_F(MapEdgeAchievementsTest, ACreativeWorldEarnsNeitherEdge) {
  remakeWorld(WorldParams{.mode = 1});
  floorAt(2);
  player->setCell(10, 12);
  ASSERT_TRUE(tickUntilRow(3));
  flyToTheTop();
  ticks(1);
  EXPECT_FALSE(store.isUnlocked(kEndOfFile));
  EXPECT_FALSE(store.isUnlocked(kHeadInTheClouds));
}

}  // namespace
}  // namespace game_test
