// Achievements earned by counted events: each rule unlocks on its own count and not one event
// earlier, group and summed kill counts, the store front receiving unlocks, statistics and the
// store call, and statistic numbers that name no counter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {"20 TNT crafted", stat_number::kCrafted, 1040, 20, 13},
      {"10 items encrusted", stat_number::kEncrusted, 3, 10, 19},
      {"an iron door placed", stat_number::kPlaced, 288, 1, 30},
      {"100 torches", stat_number::kPlaced, 90, 100, 43},
      {"1000 wood blocks destroyed", stat_number::kDestroyed, 3665, 1000, 20},
      {"1000 blocks destroyed", stat_number::kDestroyed, 5, 1000, 21},
      {"50 bears of one kind", stat_number::kKilled, 3, 50, 74},
      {"1000 mobs killed", stat_number::kKilled, 999, 1000, 62},
      {"10 deaths", stat_number::kDied, 0, 10, 88},
      {"one hour played", stat_number::kPlayTime, 0, 7200, 106},
      {"200 big bombs thrown", stat_number::kThrown, 7, 200, 91},
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

  // A mob outside every rule only feeds the total.
  record(stat_number::kKilled, 300, 3);
  EXPECT_EQ(store.counter(stat_number::kKilled), 63u);
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

TEST_F(AchievementsTest, AnUnlockReachesPopUpAndStoreFrontOnce) {
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
  // The fish counter counts two per fish; its category once.
  EXPECT_EQ(store.counter(stat_number::kFishCaught), 4u);
  EXPECT_EQ(store.statCategoryCount(stat_category::kFishCaught, 959), 2u);
}

TEST_F(AchievementsTest, WithoutStoreFrontUnlocksAreStillKept) {
  store.setServices(nullptr, nullptr);
  record(stat_number::kCrafted, 24, 1);
  EXPECT_TRUE(store.isUnlocked(45));
  EXPECT_EQ(store.writeStatistics().size(), 624u + 6u);  // one record of 6 bytes
  EXPECT_TRUE(service.calls.empty());
}

TEST_F(AchievementsTest, RestoredFlagsAreNotAnnouncedAgain) {
  store.restoreUnlocked(6);
  record(stat_number::kCrafted, 900, 1);
  EXPECT_TRUE(popup.shown.empty());
  EXPECT_TRUE(service.calls.empty());
}

TEST_F(AchievementsTest, StatisticNumbersPastTheCountersAreIgnored) {
  for (uint16_t statistic : {uint16_t{128}, uint16_t{200}, uint16_t{0xFFFF}}) {
    store.recordStatEvent(statistic, 1);
  }
  const StatsRecord empty;
  EXPECT_EQ(store.record().counters, empty.counters);
  EXPECT_EQ(store.record().categories, empty.categories);
  store.recordStatEvent(127, 1);
  EXPECT_EQ(store.counter(127), 1u);
}

TEST(AchievementTableTest, KeysFollowTheNamesWithOneException) {
  struct Case {
    const char* name;
    const char* key;
  } cases[] = {
      {"Let's Dig", "lets_dig"},
      {"Oh No! Poor Nature!", "oh_no_poor_nature"},
      {"Supernova ", "supernova"},
      {"A Small Step For Tobble", "a_small_step_for_tobble"},
  };
  for (const Case& c : cases) EXPECT_EQ(achievementKey(c.name), c.key) << c.name;
  EXPECT_EQ(achievementRows()[82].key, "tobbles_fried_chicken");
}

}  // namespace
