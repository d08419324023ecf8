#pragma once
// The user's friends who are online, for the multiplayer menu's friend list; sorted by name.

#include <cstdint>
#include <string>
#include <vector>

namespace kel {

class SteamFriends;

struct SteamFriend {
  uint64_t steamId = 0;
  std::string personaName;
};

class SteamFriendList {
 public:
  // Replaces the list with the online immediate friends, sorted by name (ignoring case) and then
  // by id, so friends with equal names keep a stable order.
  void load(const SteamFriends& friends);
  void clear() { entries_.clear(); }

  const std::vector<SteamFriend>& entries() const { return entries_; }

 private:
  std::vector<SteamFriend> entries_;
};

}  // namespace kel
