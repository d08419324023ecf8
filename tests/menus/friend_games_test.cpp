// The friends' games the join page offers, read from the store front's stand-in hub: a friend who
// hosts is joined at its own id, a friend who plays in a game at its host's id; a friend who plays
// alone, or names no host that can be read, is not offered; without the client there are none.

#include <gtest/gtest.h>

#include <vector>

#include "menus/friend_games.h"
#include "platform/steam/steam_friend_list.h"
#include "platform/steam/steam_presence.h"
#include "tests/platform/steam/hub_users.h"
#include "tests/support/steam_probe.h"

namespace {

constexpr uint64_t kMe = 10, kHost = 20, kGuest = 30, kAlone = 40, kBroken = 50, kStranger = 60;

TEST(FriendGames, HostsAndTheirGuestsAreOfferedWithTheHostToJoin) {
  testsupport::HubUsers users;
  kel::HubSteamApi& me = users.add(kMe, "Me");
  kel::HubSteamApi& host = users.add(kHost, "Host");
  kel::HubSteamApi& guest = users.add(kGuest, "Guest");
  users.add(kAlone, "Alone");
  kel::HubSteamApi& broken = users.add(kBroken, "Broken");
  kel::HubSteamApi& stranger = users.add(kStranger, "Stranger");
  for (uint64_t id : {kHost, kGuest, kAlone, kBroken}) kel::SteamProbe::befriend(*users.hub, kMe, id);
  kel::setGamePresence(*host.friends(), true, kHost);
  kel::setGamePresence(*guest.friends(), false, kHost);
  kel::setGamePresence(*stranger.friends(), true, kStranger);
  broken.friends()->setRichPresence(kel::presence::kPlayerStatus, kel::presence::kServer);
  broken.friends()->setRichPresence(kel::presence::kServerReference, "not a number");

  kel::SteamFriendList list;
  list.load(*me.friends());
  const std::vector<FriendGame> games = friendGames(me.friends(), &list);
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(games[0].name, "Guest");
  EXPECT_EQ(games[0].hostId, kHost) << "a guest's friends join its host";
  EXPECT_EQ(games[1].name, "Host");
  EXPECT_EQ(games[1].hostId, kHost);
}

TEST(FriendGames, WithoutTheStoreFrontsClientThereAreNone) {
  kel::SteamFriendList list;
  EXPECT_TRUE(friendGames(nullptr, &list).empty());
  testsupport::HubUsers users;
  EXPECT_TRUE(friendGames(users.add(kMe, "Me").friends(), nullptr).empty());
}

}  // namespace
