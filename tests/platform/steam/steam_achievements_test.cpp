#include "platform/steam/steam_achievements.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "tests/platform/steam/fake_steam_api.h"
#include "tests/support/steam_probe.h"

namespace {

using kel::STEAM_RESULT_OK;
using kel::STEAM_USER_STATS_RECEIVED;
using kel::SteamAchievements;

constexpr int RESULT_FAIL = 2;

class RecordingStatsTarget : public kel::SteamStatsTarget {
 public:
  std::array<bool, 2> flagSet = {false, false};
  std::array<std::optional<uint32_t>, 2> values;
  bool acceptsValue(uint32_t index) const override { return !flagSet.at(index); }
  void setValue(uint32_t index, uint32_t value) override { values.at(index) = value; }
};

class SteamAchievementsTest : public testing::Test {
 protected:
  void SetUp() override {
    api.init();
    api.calls.clear();
    achievements.setStatsTarget(&target);
  }
  void receive(int id, int result) {
    api.queue(id, result);
    api.runCallbacks();
  }

  testsupport::FakeSteamApi api;
  SteamAchievements achievements{api};
  RecordingStatsTarget target;
};

TEST_F(SteamAchievementsTest, UnlockStoresAndStatisticsUseTheTableKeysAndStayInRange) {
  achievements.unlock("catch_a_fish");
  EXPECT_EQ(api.calls, (std::vector<std::string>{"setAchievement catch_a_fish", "storeStats"}));
  EXPECT_TRUE(achievements.setIntStat(kel::STEAM_STAT_ITEM_CRAFTED, 4000000000u));
  // The client's statistics are signed: a huge count saturates instead of going negative.
  EXPECT_EQ(api.stats.at("item_crafted"), 2147483647);
  api.calls.clear();
  EXPECT_FALSE(achievements.setIntStat(2, 1));
  EXPECT_TRUE(api.calls.empty());
}

TEST_F(SteamAchievementsTest, ReceivedStatisticsFillOnlyValuesWhoseFlagIsClearAndNeverGoNegative) {
  api.stats["fish_caught"] = 31;
  api.stats["item_crafted"] = 502;
  receive(STEAM_USER_STATS_RECEIVED, RESULT_FAIL);  // a failed reply changes nothing
  EXPECT_FALSE(target.values[0].has_value());
  EXPECT_FALSE(target.values[1].has_value());
  target.flagSet[1] = true;
  receive(STEAM_USER_STATS_RECEIVED, STEAM_RESULT_OK);
  EXPECT_EQ(target.values[0], 31u);
  EXPECT_FALSE(target.values[1].has_value());

  target.flagSet[1] = false;
  api.stats["item_crafted"] = -5;
  receive(STEAM_USER_STATS_RECEIVED, STEAM_RESULT_OK);
  EXPECT_EQ(target.values[1], 0u);
}

TEST(SteamAchievementsLifetime, TheCallbacksGoWithTheObject) {
  testsupport::FakeSteamApi api;
  api.init();
  { SteamAchievements achievements(api); }
  EXPECT_EQ(kel::SteamProbe::handlersFor(api.callbacks(), kel::STEAM_USER_STATS_RECEIVED), 0u);
  // A reply arriving after the object is gone must not reach it.
  api.queue(STEAM_USER_STATS_RECEIVED, STEAM_RESULT_OK);
  api.runCallbacks();
}

}  // namespace
