#pragma once
// The store front's friends whose games the join page offers: each friend who hosts a game, or
// plays in one, with the id of the host to join. A friend whose host cannot be read is left out.

#include <vector>

#include "menus/menu_network.h"

namespace kel {
class SteamFriends;
class SteamFriendList;
}  // namespace kel

// Nothing when the store front's client is not running (either is null).
std::vector<FriendGame> friendGames(kel::SteamFriends* friends, const kel::SteamFriendList* list);
