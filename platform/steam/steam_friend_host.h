#pragma once
// One game the join menu offers: a friend whose rich presence says that it hosts a game or plays
// in one (steam_presence.h), with the friend's name and small avatar. The menu joins the host that
// `serverReference` names: the friend itself, or the host of the game the friend joined.

#include <cstdint>
#include <string>
#include <vector>

namespace kel {

class SteamFriends;
class SteamFriendList;

class SteamFriendHost {
 public:
  SteamFriendHost(uint64_t steamId, std::string personaName)
      : steamId_(steamId), personaName_(std::move(personaName)) {}

  uint64_t steamId() const { return steamId_; }
  const std::string& personaName() const { return personaName_; }

  // The friend's value for the key; empty when it has none.
  std::string richPresence(const SteamFriends& friends, const std::string& key) const;
  // The host to join; 0 when the friend names none that can be read.
  uint64_t serverReference(const SteamFriends& friends) const;

  // Fetches the avatar once: while none is held. Without one from the client none is held.
  void loadAvatar(const SteamFriends& friends);
  // 32x32 RGBA pixels; empty until loaded.
  const std::vector<uint8_t>& avatar() const { return avatar_; }

 private:
  uint64_t steamId_;
  std::string personaName_;
  std::vector<uint8_t> avatar_;
};

// The friends of the list who host or play in a game, in the list's order, each with its avatar.
// Asks for each friend's rich presence first.
std::vector<SteamFriendHost> collectSteamHosts(SteamFriends& friends, const SteamFriendList& list);

}  // namespace kel
