// The statistics store and the achievements earned by counted events: each rule unlocks on its own
// count and not one event earlier, group and summed kill counts, the store front receiving
// unlocks, statistics and the store call, statistic numbers that name no counter, the statistics
// page's list, and the players' statistic events reaching the process's store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/player/player_events.h"
#include "game/stats/stats_player_events.h"
#include "game/stats/achievement_popup.h"
#include "game/stats/stats_store.h"
#include "platform/achievements_bridge.h"
#include "tests/game/content_rows.h"

namespace {

class RecordingService : public kel::NullAchievementsBridge {
 public:
  void unlock(const std::string& key) override { calls.push_back("unlock " + key); }
  bool setIntStat(uint32_t index, uint32_t value) override {
    calls.push_back("stat " + std::to_string(index) + "=" + std::to_string(value));
    return true;
  }
  bool store() override {
    calls.push_back("store");
    return true;
  }
  std::vector<std::string> calls;
};

class RecordingPopup : public AchievementPopup {
 public:
  void show(const AchievementRow& row) override { shown.push_back(row.name); }
  std::vector<std::string> shown;
};

class AchievementsTest : public test_rows::ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    store.setServices(&service, &popup);
  }
  void record(uint16_t statistic, uint16_t id, uint32_t times) {
    for (uint32_t i = 0; i < times; ++i) store.recordStatEvent(statistic, id);
  }

  RecordingService service;
  RecordingPopup popup;
  StatsStore store;
};

TEST_F(AchievementsTest, EachRuleUnlocksOnItsCountAndNotBefore) {
  struct Case {
    const char* what;
    uint16_t statistic;
    uint16_t id;
    uint32_t events;
    size_t achievement;
  } cases[] = {
      {"50 chicken eggs eaten", stat_number::kEaten, 746, 50, 1},
      {"the first craft", stat_number::kCrafted, 900, 1, 6},
      {"1000 wood blocks destroyed", stat_number::kDestroyed, 3665, 1000, 20},
      {"1000 mobs killed", stat_number::kKilled, 999, 1000, 62},
      {"10 deaths", stat_number::kDied, 0, 10, 88},
      {"one hour played", stat_number::kPlayTime, 0, 7200, 106},
  };
  for (const Case& c : cases) {
    StatsStore fresh;
    for (uint32_t i = 1; i < c.events; ++i) fresh.recordStatEvent(c.statistic, c.id);
    EXPECT_FALSE(fresh.isUnlocked(c.achievement)) << c.what << ": one event early";
    fresh.recordStatEvent(c.statistic, c.id);
    EXPECT_TRUE(fresh.isUnlocked(c.achievement)) << c.what;
  }
}

TEST_F(AchievementsTest, KillRulesCountGroupsAndSums) {
  // Birds: mobs 5-14, 123, 124, 140, 141 share one counter to 50.
  record(stat_number::kKilled, 5, 20);
  record(stat_number::kKilled, 141, 29);
  EXPECT_FALSE(store.isUnlocked(64));
  record(stat_number::kKilled, 9, 1);
  EXPECT_TRUE(store.isUnlocked(64));
  // Cats: the kill counts of 26, 28, 38 and 40 added up to 10.
  record(stat_number::kKilled, 26, 4);
  record(stat_number::kKilled, 40, 5);
  EXPECT_FALSE(store.isUnlocked(84));
  record(stat_number::kKilled, 38, 1);
  EXPECT_TRUE(store.isUnlocked(84));
  EXPECT_EQ(store.counter(stat_number::kKilled), 60u);
}

TEST_F(AchievementsTest, PlacedBlockCountsOnlyItsFirstFlag) {
  constexpr uint16_t kBridgeLadder = 700;
  test_rows::setBlockFlags(kBridgeLadder, (1ull << 23) | (1ull << 22));
  record(stat_number::kPlaced, kBridgeLadder, 499);
  EXPECT_EQ(store.counter(18), 499u);
  EXPECT_EQ(store.counter(17), 0u);
  EXPECT_FALSE(store.isUnlocked(60));
  record(stat_number::kPlaced, kBridgeLadder, 1);
  EXPECT_TRUE(store.isUnlocked(60));
}

TEST_F(AchievementsTest, AnUnlockReachesPopUpAndStoreFrontOnceAndARestoredOneNever) {
  store.restoreUnlocked(6);
  record(stat_number::kCrafted, 900, 1);
  record(stat_number::kEaten, 746, 51);
  EXPECT_EQ(popup.shown, std::vector<std::string>{"Eggsellent"});
  EXPECT_EQ(service.calls, std::vector<std::string>{"unlock eggsellent"});
}

TEST_F(AchievementsTest, WritingSendsThePlatformValuesThenStores) {
  record(stat_number::kCrafted, 900, 3);
  record(stat_number::kFishCaught, 959, 2);
  service.calls.clear();
  store.writeStatistics();
  EXPECT_EQ(service.calls, (std::vector<std::string>{"stat 0=2", "stat 1=3", "store"}));
}

TEST_F(AchievementsTest, TheStoreFrontsValuesAreCountedOnFrom) {
  kel::SteamStatsTarget& target = store;
  ASSERT_TRUE(target.acceptsValue(kel::STEAM_STAT_FISH_CAUGHT));
  EXPECT_FALSE(target.acceptsValue(2));
  target.setValue(kel::STEAM_STAT_FISH_CAUGHT, 40);
  target.setValue(kel::STEAM_STAT_ITEM_CRAFTED, 7);
  target.setValue(2, 99);  // no such statistic
  record(stat_number::kFishCaught, 959, 1);
  service.calls.clear();
  store.writeStatistics();
  EXPECT_EQ(service.calls, (std::vector<std::string>{"stat 0=41", "stat 1=7", "store"}));
}

TEST_F(AchievementsTest, StatisticNumbersPastTheCountersAreIgnored) {
  for (uint16_t statistic : {uint16_t{128}, uint16_t{0xFFFF}}) store.recordStatEvent(statistic, 1);
  const StatsRecord empty;
  EXPECT_EQ(store.record().counters, empty.counters);
  EXPECT_EQ(store.record().categories, empty.categories);
}

TEST_F(AchievementsTest, PageListSortsByWholeCountsAndKeepsOnlyTheAskedItemKind) {
  StatsRecord counts;
  counts.categories[1] = {{10, 65536}, {11, 3}, {12, 70000}, {13, 65535}};
  store.readStatistics(writeStatsBytes(counts));
  const std::vector<StatEntry> expected = {{11, 3}, {13, 65535}, {10, 65536}, {12, 70000}};
  EXPECT_EQ(store.statEntriesSortedByCount(0, 0), expected);
  test_rows::defineItem(20, 4);
  for (uint16_t id : {20, 21, 20}) store.recordStatEvent(stat_number::kCrafted, id);
  EXPECT_EQ(store.statEntriesSortedByCount(1, 4), (std::vector<StatEntry>{{20, 2}}));
}

TEST_F(AchievementsTest, APlayersStatisticIsCountedInTheStoreOfTheSinkItWasGiven) {
  statsStore().clearStatistics();
  StatsStore other;
  StatsPlayerEvents mine(store);
  StatsPlayerEvents theirs(other);
  PlayerEvents nowhere;  // the null sink counts nothing
  mine.recordStat(stat_number::kPlaced, 44);
  mine.recordStat(stat_number::kPlaced, 44);
  theirs.recordStat(stat_number::kPlaced, 44);
  nowhere.recordStat(stat_number::kPlaced, 44);
  EXPECT_EQ(store.statCategoryCount(stat_category::kPlaced, 44), 2u);
  EXPECT_EQ(other.statCategoryCount(stat_category::kPlaced, 44), 1u);
  EXPECT_EQ(statsStore().statCategoryCount(stat_category::kPlaced, 44), 0u) << "not the process's store";
}

}  // namespace
