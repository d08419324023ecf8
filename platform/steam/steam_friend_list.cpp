#include "platform/steam/steam_friend_list.h"

#include <algorithm>

#include "engine/base/string_utils.h"
#include "platform/steam/steam_api.h"

namespace kel {

void SteamFriendList::load(const SteamFriends& friends) {
  entries_.clear();
  for (const SteamFriendInfo& info : friends.immediateFriends()) {
    if (info.state == SteamPersonaState::ONLINE) {
      entries_.push_back(SteamFriend{info.steamId, info.personaName});
    }
  }
  std::sort(entries_.begin(), entries_.end(), [](const SteamFriend& a, const SteamFriend& b) {
    if (!engine::equalsIgnoreCase(a.personaName, b.personaName)) {
      return engine::lessIgnoreCase(a.personaName, b.personaName);
    }
    return a.steamId < b.steamId;
  });
}

}  // namespace kel
