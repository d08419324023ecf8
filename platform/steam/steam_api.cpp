#include "platform/steam/steam_api.h"

namespace kel {

std::vector<SteamFriendInfo> SteamFriends::immediateFriends() const {
  std::vector<SteamFriendInfo> infos;
  const int count = friendCount();
  for (int index = 0; index < count; ++index) {
    const uint64_t id = friendByIndex(index);
    infos.push_back(SteamFriendInfo{id, friendPersonaName(id), friendPersonaState(id)});
  }
  return infos;
}

}  // namespace kel
