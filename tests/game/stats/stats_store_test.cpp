// The statistics store: per-id counts by category, the statistics page's list sorted by whole
// counts, the store's file round trip, including files that end early, and the players'
// statistic events reaching the process's store unless registered events take them first.
#include <gtest/gtest.h>

#include <vector>

#include "game/player/player_events.h"
#include "game/stats/achievement_popup.h"
#include "game/stats/stats_store.h"
#include "platform/achievements_bridge.h"
#include "tests/game/content_rows.h"

namespace {

class StatsStoreTest : public test_rows::ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    statsStore().clearStatistics();
  }
  void TearDown() override {
    statsStore().clearStatistics();
    ContentTest::TearDown();
  }
  StatsStore store;
};

TEST_F(StatsStoreTest, StatisticsCountPerIdIntoTheirCategory) {
  store.recordStatEvent(stat_number::kCrafted, 77);
  store.recordStatEvent(stat_number::kCrafted, 77);
  EXPECT_EQ(store.statCategoryCount(stat_category::kCrafted, 77), 2u);
  EXPECT_EQ(store.statCategoryCount(stat_category::kCrafted, 78), 0u);
  store.recordStatEvent(stat_number::kDied, 5);
  for (uint32_t category = 0; category < kStatCategoryCount; ++category) {
    EXPECT_EQ(store.statCategoryCount(category, 5), 0u) << "deaths keep no per-id count";
  }
}

TEST_F(StatsStoreTest, PageListSortsByWholeCounts) {
  StatsRecord counts;
  counts.categories[1] = {{10, 65536}, {11, 3}, {12, 70000}, {13, 65535}};
  store.readStatistics(writeStatsBytes(counts));
  const std::vector<StatEntry> expected = {{11, 3}, {13, 65535}, {10, 65536}, {12, 70000}};
  EXPECT_EQ(store.statEntriesSortedByCount(0, 0), expected);
  EXPECT_TRUE(store.statEntriesSortedByCount(6, 0).empty());
}

TEST_F(StatsStoreTest, PageListKeepsOnlyTheAskedItemKind) {
  test_rows::defineItem(20, 4);
  test_rows::defineItem(21, 1);
  for (uint16_t id : {20, 21, 20, 4000}) store.recordStatEvent(stat_number::kCrafted, id);
  EXPECT_EQ(store.statEntriesSortedByCount(1, 4), (std::vector<StatEntry>{{20, 2}}));
  EXPECT_EQ(store.statEntriesSortedByCount(1, 0).size(), 3u);
}

TEST_F(StatsStoreTest, FileRoundTripRestoresCountsAndCategories) {
  store.recordStatEvent(stat_number::kKilled, 50);
  store.recordStatEvent(stat_number::kPlaced, 2599);
  store.recordStatEvent(stat_number::kPlayTime, 0);
  const std::vector<uint8_t> bytes = store.writeStatistics();

  StatsStore loaded;
  ASSERT_TRUE(loaded.readStatistics(bytes));
  EXPECT_EQ(loaded.record().counters, store.record().counters);
  EXPECT_EQ(loaded.statCategoryCount(stat_category::kKilled, 50), 1u);
  EXPECT_EQ(loaded.isItemSeen(50), 1u);
  EXPECT_EQ(loaded.statCategoryCount(stat_category::kPlaced, 2599), 1u);
}

TEST_F(StatsStoreTest, FileThatEndsEarlyKeepsTheRestOfTheStore) {
  store.recordStatEvent(stat_number::kEaten, 746);
  std::vector<uint8_t> bytes = StatsStore().writeStatistics();
  bytes.resize(4 + 4 * 10);  // ten counters, then nothing

  EXPECT_FALSE(store.readStatistics(bytes));
  EXPECT_EQ(store.statCategoryCount(stat_category::kEaten, 746), 1u);
  EXPECT_EQ(store.counter(stat_number::kEaten), 0u) << "the counters the file held were read";
}

TEST_F(StatsStoreTest, ClearingEmptiesEverything) {
  store.recordStatEvent(stat_number::kCrafted, 5);
  store.clearStatistics();
  EXPECT_EQ(store.counter(stat_number::kCrafted), 0u);
  EXPECT_EQ(store.statCategoryCount(stat_category::kCrafted, 5), 0u);
  EXPECT_EQ(store.platformValue(1), 0u);
}

TEST_F(StatsStoreTest, APlayersStatisticIsCountedInTheProcessStore) {
  playerEvents().recordStat(stat_number::kPlaced, 44);
  playerEvents().recordStat(stat_number::kPlaced, 44);
  playerEvents().recordStat(stat_number::kPlayTime, 1);
  EXPECT_EQ(statsStore().counter(stat_number::kPlaced), 2u);
  EXPECT_EQ(statsStore().statCategoryCount(stat_category::kPlaced, 44), 2u);
  EXPECT_EQ(statsStore().counter(stat_number::kPlayTime), 1u);
}

TEST_F(StatsStoreTest, EventsTakenByRegisteredEventsDoNotReachTheStore) {
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

// The launch keeps a store front or a pop-up registered before it: either one counts.
TEST_F(StatsStoreTest, EitherServiceCountsAsRegistered) {
  EXPECT_FALSE(store.servicesRegistered());
  kel::NullAchievementsBridge service;
  NullAchievementPopup popup;
  store.setServices(&service, nullptr);
  EXPECT_TRUE(store.servicesRegistered());
  store.setServices(nullptr, &popup);
  EXPECT_TRUE(store.servicesRegistered());
  store.setServices(nullptr, nullptr);
  EXPECT_FALSE(store.servicesRegistered());
}

}  // namespace
