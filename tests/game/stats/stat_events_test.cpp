// The players' statistic events reach the process's statistics store unless a test or a view
// takes them first, and the store tells whether a store front or a pop-up is registered (the
// launch keeps ones registered before it).
#include <gtest/gtest.h>

#include "game/player/player_events.h"
#include "game/stats/achievement_popup.h"
#include "game/stats/stats_store.h"
#include "platform/achievements_bridge.h"
#include "tests/game/content_rows.h"

namespace {

class StatEventsTest : public test_rows::ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    statsStore().clearStatistics();
  }
  void TearDown() override {
    statsStore().clearStatistics();
    ContentTest::TearDown();
  }
};

TEST_F(StatEventsTest, APlayersStatisticIsCountedInTheStore) {
  playerEvents().recordStat(stat_number::kPlaced, 44);
  playerEvents().recordStat(stat_number::kPlaced, 44);
  playerEvents().recordStat(stat_number::kPlayTime, 1);
  EXPECT_EQ(statsStore().counter(stat_number::kPlaced), 2u);
  EXPECT_EQ(statsStore().statCategoryCount(stat_category::kPlaced, 44), 2u);
  EXPECT_EQ(statsStore().counter(stat_number::kPlayTime), 1u);
}

TEST_F(StatEventsTest, EventsTakenByRegisteredEventsDoNotReachTheStore) {
  class Quiet final : public PlayerEvents {
   public:
    void recordStat(uint16_t, uint16_t) override { ++taken; }
    int taken = 0;
  } quiet;
  setPlayerEvents(&quiet);
  playerEvents().recordStat(stat_number::kPlaced, 44);
  setPlayerEvents(nullptr);
  EXPECT_EQ(quiet.taken, 1);
  EXPECT_EQ(statsStore().counter(stat_number::kPlaced), 0u);
}

TEST_F(StatEventsTest, EitherServiceCountsAsRegistered) {
  StatsStore store;
  EXPECT_FALSE(store.servicesRegistered());
  kel::NullAchievementsBridge service;
  store.setServices(&service, nullptr);
  EXPECT_TRUE(store.servicesRegistered());
  NullAchievementPopup popup;
  store.setServices(nullptr, &popup);
  EXPECT_TRUE(store.servicesRegistered());
  store.setServices(nullptr, nullptr);
  EXPECT_FALSE(store.servicesRegistered());
}

}  // namespace
