// Starting and stopping the platform with and without a store-front client: the no-client state,
// the friend list, the overlay callback and shutdown.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/desktop_platform.h"
#include "platform/steam/steam_friend_list.h"
#include "tests/platform/steam/fake_steam_api.h"
#include "tests/support/temp_dir.h"

namespace {

using kel::DesktopPlatform;
using kel::SteamPersonaState;

struct PlatformWithFake {
  explicit PlatformWithFake(bool initSucceeds = true) {
    auto owned = std::make_unique<testsupport::FakeSteamApi>();
    owned->initSucceeds = initSucceeds;
    fake = owned.get();
    DesktopPlatform::Services services;
    services.steam = std::move(owned);
    services.installCrashReporter = false;
    platform = std::make_unique<DesktopPlatform>(std::move(services));
  }
  testsupport::ScopedDataHome home;
  testsupport::FakeSteamApi* fake = nullptr;
  std::unique_ptr<DesktopPlatform> platform;
};

const char* const ARGS[] = {"rubblemoor", "-connectsteam", "76561198000000042"};

TEST(SteamStart, WithoutAClientTheGameRunsInItsNoClientState) {
  testsupport::ScopedDataHome home;
  DesktopPlatform::Services services;
  services.installCrashReporter = false;
  DesktopPlatform platform(std::move(services));
  EXPECT_FALSE(platform.start(3, ARGS));
  EXPECT_FALSE(platform.steamReady());
  EXPECT_EQ(platform.steamFriends(), nullptr);
  EXPECT_FALSE(platform.achievements()->available());
  platform.achievements()->unlock("anything");
  // The arguments are read whatever the client does.
  EXPECT_EQ(platform.argumentValue("connectsteam"), "76561198000000042");
  platform.runSteamCallbacks();
  platform.stop();
}

TEST(SteamStart, AFailedClientStartLeavesNoFriendListNorOverlayCallback) {
  PlatformWithFake setup(false);
  EXPECT_FALSE(setup.platform->start(3, ARGS));
  EXPECT_FALSE(setup.platform->steamReady());
  EXPECT_EQ(setup.platform->steamFriends(), nullptr);
  EXPECT_EQ(setup.fake->callbacks().countFor(kel::STEAM_GAME_OVERLAY_ACTIVATED), 0u);
  setup.platform->stop();
  EXPECT_EQ(setup.fake->calls, (std::vector<std::string>{"init"}));  // no shutdown without start
}

TEST(SteamStart, AStartedClientGivesOnlineFriendsSortedByName) {
  PlatformWithFake setup;
  setup.fake->friendInfos = {
      {3, "zed", SteamPersonaState::ONLINE},  {4, "Amy", SteamPersonaState::ONLINE},
      {5, "bob", SteamPersonaState::OFFLINE}, {6, "amy", SteamPersonaState::ONLINE},
      {7, "Carl", SteamPersonaState::AWAY},
  };
  EXPECT_TRUE(setup.platform->start(3, ARGS));
  ASSERT_TRUE(setup.platform->steamReady());
  ASSERT_NE(setup.platform->steamFriends(), nullptr);
  const auto& entries = setup.platform->steamFriends()->entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].steamId, 4u);  // equal names ignoring case: by id
  EXPECT_EQ(entries[1].steamId, 6u);
  EXPECT_EQ(entries[2].personaName, "zed");
  EXPECT_TRUE(setup.fake->warningHookSet);
  EXPECT_EQ(setup.fake->callbacks().countFor(kel::STEAM_GAME_OVERLAY_ACTIVATED), 1u);
}

TEST(SteamStart, StartAnswersWhetherTheUserIsLoggedOn) {
  PlatformWithFake setup;
  setup.fake->isLoggedOn = false;
  EXPECT_FALSE(setup.platform->start(3, ARGS));
  EXPECT_TRUE(setup.platform->steamReady());  // the client runs, only offline
}

TEST(SteamStart, StopShutsTheClientDownAndDropsWhatStartMade) {
  PlatformWithFake setup;
  setup.platform->start(3, ARGS);
  setup.platform->stop();
  EXPECT_EQ(setup.fake->calls.back(), "shutdown");
  EXPECT_FALSE(setup.platform->steamReady());
  EXPECT_EQ(setup.platform->steamFriends(), nullptr);
  EXPECT_EQ(setup.fake->callbacks().countFor(kel::STEAM_GAME_OVERLAY_ACTIVATED), 0u);
  EXPECT_FALSE(setup.platform->achievements()->available());
  setup.platform->stop();  // a second stop does nothing
  EXPECT_EQ(std::count(setup.fake->calls.begin(), setup.fake->calls.end(), "shutdown"), 1);
}

TEST(SteamStart, StatisticsRepliesReachTheRegisteredTargetThroughThePlatform) {
  struct Target : kel::SteamStatsTarget {
    uint32_t fish = 0;
    bool acceptsValue(uint32_t) const override { return true; }
    void setValue(uint32_t index, uint32_t value) override {
      if (index == kel::STEAM_STAT_FISH_CAUGHT) fish = value;
    }
  } target;
  PlatformWithFake setup;
  setup.platform->setSteamStatsTarget(&target);
  setup.platform->start(1, ARGS);
  setup.fake->stats["fish_caught"] = 12;
  EXPECT_TRUE(setup.platform->achievements()->requestStats());
  setup.fake->queue(kel::STEAM_USER_STATS_RECEIVED, kel::STEAM_RESULT_OK);
  setup.platform->runSteamCallbacks();
  EXPECT_EQ(target.fish, 12u);
}

}  // namespace
