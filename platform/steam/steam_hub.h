#pragma once
// Our own stand-in for the store-front client's network: one hub in the process that holds
// virtual users, their friendships, rich presence and generated avatars, and carries packets
// between them. Each user sees the hub through its own SteamApi (HubSteamApi), so a host and its
// clients can play among themselves in one process, as the tests do.
//
// Sessions: a user has a session with another once it sent to it or accepted its request. The
// first packet from a user without a session waits, with every later one, and raises one session
// request at the receiver; accepting (or sending back) delivers them in order. Closing a session
// drops what still waits from that user. A user who goes offline ends every session with it: each
// other side hears a connect failure for it. Packets wait in one queue per receiver and channel.
//
// Threads: every call locks the hub's one mutex; callbacks are only queued here and handed out
// by `takeCallbacks` (the user's runCallbacks), so no handler ever runs under the lock.

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/steam/steam_api.h"
#include "platform/steam/steam_callback.h"

namespace kel {

class SteamHub {
 public:
  // ---- Users and friends ----
  // A user, offline, with an avatar made from its id. False when the id is taken or 0.
  bool addUser(uint64_t id, std::string name);
  bool hasUser(uint64_t id) const;
  void setOnline(uint64_t id, bool online);

  std::vector<uint64_t> friendsOf(uint64_t id) const;
  SteamPersonaState personaState(uint64_t id) const;
  std::string personaName(uint64_t id) const;
  std::vector<uint8_t> avatar(uint64_t id) const;

  // ---- Rich presence: a user's own; a friend's is read by its friends only ----
  void setPresence(uint64_t id, const std::string& key, const std::string& value);
  void clearPresence(uint64_t id);
  std::string friendPresence(uint64_t reader, uint64_t id, const std::string& key) const;

  // ---- Packets and sessions ----
  bool send(uint64_t from, uint64_t to, const uint8_t* data, uint32_t length, int channel);
  bool packetSize(uint64_t id, int channel, uint32_t& size) const;
  bool read(uint64_t id, int channel, uint8_t* buffer, uint32_t capacity, uint32_t& written,
            uint64_t& sender);
  bool accept(uint64_t id, uint64_t other);
  bool close(uint64_t id, uint64_t other);

  std::vector<SteamCallbackData> takeCallbacks(uint64_t id);

 private:
  friend struct SteamProbe;  // tests make friendships
  struct Packet {
    uint64_t from;
    int channel;
    std::vector<uint8_t> bytes;
  };
  struct User {
    std::string name;
    bool online = false;
    std::vector<uint64_t> friends;
    std::map<std::string, std::string> presence;
    std::vector<uint8_t> avatar;
    std::vector<uint64_t> sessions;
    std::map<int, std::deque<Packet>> incoming;
    std::deque<Packet> waiting;  // from users whose session request is not yet accepted
    std::vector<SteamCallbackData> callbacks;
  };

  User* find(uint64_t id);
  const User* find(uint64_t id) const;
  User* findOnline(uint64_t id);
  void openSession(User& user, uint64_t other);
  void endSessionsWith(uint64_t id);

  mutable std::mutex mutex_;
  std::map<uint64_t, User> users_;
};

// A 32x32 RGBA avatar of our own for an id: a mirrored pattern of 4x4-pixel blocks in a colour
// taken from the id, on a light ground.
std::vector<uint8_t> makeHubAvatar(uint64_t id);

}  // namespace kel
