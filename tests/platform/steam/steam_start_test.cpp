#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/desktop_platform.h"
#include "platform/steam/steam_friend_list.h"
#include "tests/platform/steam/fake_steam_api.h"
#include "tests/support/temp_dir.h"
#include "tests/support/steam_probe.h"

namespace {

using kel::DesktopPlatform;
using kel::SteamPersonaState;

struct PlatformWithFake {
  explicit PlatformWithFake(bool withClient = true) {
    auto owned = std::make_unique<testsupport::FakeSteamApi>();
    fake = withClient ? owned.get() : nullptr;
    DesktopPlatform::Services services;
    if (withClient) services.steam = std::move(owned);
    services.installCrashReporter = false;
    platform = std::make_unique<DesktopPlatform>(std::move(services));
  }
  size_t overlayCallbacks() { return kel::SteamProbe::handlersFor(fake->callbacks(), kel::STEAM_GAME_OVERLAY_ACTIVATED); }
  testsupport::ScopedDataHome home;
  testsupport::FakeSteamApi* fake = nullptr;
  std::unique_ptr<DesktopPlatform> platform;
};

const char* const ARGS[] = {"rubblemoor", "-connectsteam", "76561198000000042"};

TEST(SteamStart, WithoutAClientOrAfterAFailedStartTheGameRunsInItsNoClientState) {
  for (const bool withClient : {false, true}) {
    SCOPED_TRACE(withClient ? "failed start" : "no client");
    PlatformWithFake setup(withClient);
    if (withClient) setup.fake->initSucceeds = false;
    DesktopPlatform& platform = *setup.platform;
    EXPECT_FALSE(platform.start(3, ARGS));
    EXPECT_FALSE(platform.steamReady());
    EXPECT_FALSE(platform.achievements()->available());
    EXPECT_EQ(platform.argumentValue("connectsteam"), "76561198000000042");
    platform.stop();
    if (!withClient) continue;
    EXPECT_EQ(setup.fake->calls, (std::vector<std::string>{"init"}));  // no shutdown without start
  }
}

TEST(SteamStart, AStartedClientServesFriendsAndStatisticsUntilStopDropsThem) {
  struct Target : kel::SteamStatsTarget {
    uint32_t fish = 0;
    bool acceptsValue(uint32_t) const override { return true; }
    void setValue(uint32_t index, uint32_t value) override {
      if (index == kel::STEAM_STAT_FISH_CAUGHT) fish = value;
    }
  } target;
  PlatformWithFake setup;
  DesktopPlatform& platform = *setup.platform;
  setup.fake->friendInfos = {{3, "zed", SteamPersonaState::ONLINE},
                             {5, "bob", SteamPersonaState::OFFLINE},
                             {6, "amy", SteamPersonaState::ONLINE}};
  platform.setSteamStatsTarget(&target);
  EXPECT_TRUE(platform.start(3, ARGS));
  ASSERT_NE(platform.steamFriends(), nullptr);
  const auto& entries = platform.steamFriends()->entries();
  ASSERT_EQ(entries.size(), 2u);  // online only, sorted by name
  EXPECT_EQ(entries[0].steamId, 6u);
  EXPECT_EQ(setup.overlayCallbacks(), 1u);

  setup.fake->stats["fish_caught"] = 12;
  EXPECT_TRUE(platform.achievements()->requestStats());
  setup.fake->queue(kel::STEAM_USER_STATS_RECEIVED, kel::STEAM_RESULT_OK);
  platform.runSteamCallbacks();
  EXPECT_EQ(target.fish, 12u);

  platform.stop();
  EXPECT_EQ(setup.fake->calls.back(), "shutdown");
  EXPECT_EQ(platform.steamFriends(), nullptr);
  EXPECT_EQ(setup.overlayCallbacks(), 0u);
  platform.stop();  // a second stop does nothing
  EXPECT_EQ(std::count(setup.fake->calls.begin(), setup.fake->calls.end(), "shutdown"), 1);
}

}  // namespace
