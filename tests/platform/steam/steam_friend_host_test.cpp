// The join menu's list of games: friends whose rich presence says they host or play in a game,
// with names and avatars, read from the stand-in hub.

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "platform/desktop_platform.h"
#include "platform/steam/steam_friend_host.h"
#include "platform/steam/steam_friend_list.h"
#include "platform/steam/steam_presence.h"
#include "platform/steam/steam_stand_in.h"
#include "tests/platform/steam/hub_users.h"
#include "tests/support/temp_dir.h"
#include "tests/support/steam_probe.h"

namespace {

constexpr uint64_t kMe = 1;
constexpr uint64_t kAnn = 2;   // hosts
constexpr uint64_t kBo = 3;    // plays in Ann's game
constexpr uint64_t kCy = 4;    // online, in no game
constexpr uint64_t kDi = 5;    // hosts, but is no friend
constexpr uint64_t kEd = 6;    // a friend who went offline after hosting

struct Friends : ::testing::Test {
  void SetUp() override {
    me = &users.add(kMe, "me");
    const std::pair<uint64_t, const char*> others[] = {
        {kAnn, "Ann"}, {kBo, "bo"}, {kCy, "Cy"}, {kDi, "Di"}, {kEd, "Ed"}};
    for (const auto& [id, name] : others) {
      users.add(id, name);
      if (id != kDi) kel::SteamProbe::befriend(*users.hub, kMe, id);
    }
    kel::setGamePresence(*users.views[1]->friends(), true, kAnn);
    kel::setGamePresence(*users.views[2]->friends(), false, kAnn);
    kel::setGamePresence(*users.views[4]->friends(), true, kDi);
    kel::setGamePresence(*users.views[5]->friends(), true, kEd);
    users.views[5]->shutdown();
    list.load(*me->friends());
  }

  testsupport::HubUsers users;
  kel::HubSteamApi* me = nullptr;
  kel::SteamFriendList list;
};

TEST_F(Friends, HostingFriendsAreListedWithNameAndAvatarAndOthersAreNot) {
  std::vector<kel::SteamFriendHost> hosts = kel::collectSteamHosts(*me->friends(), list);
  ASSERT_EQ(hosts.size(), 2u);
  EXPECT_EQ(hosts[0].steamId(), kAnn);
  EXPECT_EQ(hosts[0].personaName(), "Ann");
  EXPECT_EQ(hosts[0].avatar(), kel::makeHubAvatar(kAnn));
  EXPECT_EQ(hosts[0].serverReference(*me->friends()), kAnn);
  EXPECT_EQ(hosts[0].richPresence(*me->friends(), kel::presence::kConnect), "-connectsteam 2");
  // A friend in somebody's game is joined through that game's host.
  EXPECT_EQ(hosts[1].steamId(), kBo);
  EXPECT_EQ(hosts[1].personaName(), "bo");
  EXPECT_EQ(hosts[1].serverReference(*me->friends()), kAnn);
  EXPECT_EQ(hosts[1].avatar(), kel::makeHubAvatar(kBo));
}

TEST_F(Friends, AFriendWhoStopsHostingLeavesTheNextList) {
  users.views[1]->friends()->clearRichPresence();
  const std::vector<kel::SteamFriendHost> hosts = kel::collectSteamHosts(*me->friends(), list);
  ASSERT_EQ(hosts.size(), 1u);
  EXPECT_EQ(hosts[0].steamId(), kBo);
}

TEST(SteamPresence, AServerReferenceReadsOnlyAsAWholeDecimal64BitNumber) {
  const std::pair<const char*, uint64_t> cases[] = {
      {"", 0},
      {"76561190000000001", 76561190000000001ull},
      {"18446744073709551615", std::numeric_limits<uint64_t>::max()},
      {"18446744073709551616", 0},  // one past the largest
      {"-1", 0},
      {"+1", 0},
      {" 12", 0},
      {"12 ", 0},
      {"0x10", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(kel::parseServerReference(text), value) << text;
}

TEST(SteamStandIn, TheNullClientUnlessTheEnvironmentChoosesTheStandIn) {
  EXPECT_FALSE(kel::makeSteamApi(nullptr)->init());
  EXPECT_FALSE(kel::makeSteamApi("yes")->init());
  const std::unique_ptr<kel::SteamApi> standIn = kel::makeSteamApi(kel::kStandInChoice);
  ASSERT_TRUE(standIn->init());
  EXPECT_EQ(standIn->user()->steamId(), kel::kStandInLocalId);
  EXPECT_FALSE(standIn->friends()->personaName().empty());
  EXPECT_NE(standIn->networking(), nullptr);
}

TEST(SteamStandIn, ThePlatformStartsWithTheStandInTheEnvironmentChose) {
  testsupport::ScopedDataHome home;
  ::setenv(kel::kStoreFrontVariable, kel::kStandInChoice, 1);
  kel::DesktopPlatform::Services services;
  services.installCrashReporter = false;
  kel::DesktopPlatform platform(std::move(services));
  ::unsetenv(kel::kStoreFrontVariable);
  const char* const args[] = {"rubblemoor"};
  EXPECT_TRUE(platform.start(1, args));
  EXPECT_TRUE(platform.steamReady());
  EXPECT_NE(platform.steamApi().networking(), nullptr);
  platform.stop();
}

}  // namespace
