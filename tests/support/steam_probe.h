#pragma once
// What the tests set up and look over in the Steam stand-in: friendships between the hub's
// users, which the running game never makes, and how many handlers wait for a callback.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "platform/steam/steam_callback.h"
#include "platform/steam/steam_hub.h"

namespace kel {

struct SteamProbe {
  // Both become each other's friend, in the order of befriending; unknown users, a user and
  // itself, or friends already, change nothing.
  static void befriend(SteamHub& hub, uint64_t a, uint64_t b) {
    std::lock_guard<std::mutex> lock(hub.mutex_);
    SteamHub::User* first = hub.find(a);
    SteamHub::User* second = hub.find(b);
    if (first == nullptr || second == nullptr || a == b) return;
    if (std::find(first->friends.begin(), first->friends.end(), b) != first->friends.end()) return;
    first->friends.push_back(b);
    second->friends.push_back(a);
  }

  static size_t handlersFor(const SteamCallbackRegistry& registry, int id) {
    return static_cast<size_t>(std::count_if(registry.entries_.begin(), registry.entries_.end(),
                                             [id](const auto& entry) { return entry.id == id; }));
  }
};

}  // namespace kel
