#include "platform/steam/steam_friend_host.h"

#include "platform/steam/steam_api.h"
#include "platform/steam/steam_friend_list.h"
#include "platform/steam/steam_presence.h"

namespace kel {

std::string SteamFriendHost::richPresence(const SteamFriends& friends,
                                          const std::string& key) const {
  return friends.friendRichPresence(steamId_, key);
}

uint64_t SteamFriendHost::serverReference(const SteamFriends& friends) const {
  return parseServerReference(richPresence(friends, presence::kServerReference));
}

void SteamFriendHost::loadAvatar(const SteamFriends& friends) {
  if (!avatar_.empty()) return;
  std::vector<uint8_t> image = friends.smallFriendAvatar(steamId_);
  // A client that hands over anything but a whole image gives none.
  if (image.size() == SteamFriends::kAvatarBytes) avatar_ = std::move(image);
}

std::vector<SteamFriendHost> collectSteamHosts(SteamFriends& friends, const SteamFriendList& list) {
  std::vector<SteamFriendHost> hosts;
  for (const SteamFriend& entry : list.entries()) {
    friends.requestFriendRichPresence(entry.steamId);
    const std::string status = friends.friendRichPresence(entry.steamId, presence::kPlayerStatus);
    if (status != presence::kServer && status != presence::kClient) continue;
    hosts.emplace_back(entry.steamId, entry.personaName);
    hosts.back().loadAvatar(friends);
  }
  return hosts;
}

}  // namespace kel
