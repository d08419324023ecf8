#include "menus/friend_games.h"

#include "platform/steam/steam_friend_host.h"

std::vector<FriendGame> friendGames(kel::SteamFriends* friends, const kel::SteamFriendList* list) {
  std::vector<FriendGame> games;
  if (friends == nullptr || list == nullptr) return games;
  for (const kel::SteamFriendHost& host : kel::collectSteamHosts(*friends, *list)) {
    const uint64_t hostId = host.serverReference(*friends);
    if (hostId != 0) games.push_back({host.personaName(), hostId});
  }
  return games;
}
