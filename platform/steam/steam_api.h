#pragma once
// Our own thin layer over the Steam client: exactly the calls the game makes, as an interface.
// The desktop build uses NullSteamApi, which reports that no client runs, so the game takes its
// no-Steam paths, unless the stand-in is chosen (steam_stand_in.h): a hub of our own
// (steam_hub.h) whose users each see it through their own SteamApi. Each sub-interface is null
// while the client is not running, as the real client reports it.
//
// Threads: everything on the game thread, except the peer-to-peer calls, which a transport's
// receive thread makes too.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/steam/steam_callback.h"

namespace kel {

enum class SteamPersonaState : int { OFFLINE = 0, ONLINE = 1, BUSY = 2, AWAY = 3, SNOOZE = 4 };

struct SteamFriendInfo {
  uint64_t steamId = 0;
  std::string personaName;
  SteamPersonaState state = SteamPersonaState::OFFLINE;
};

class SteamUser {
 public:
  virtual ~SteamUser() = default;
  virtual bool loggedOn() const = 0;
  virtual uint64_t steamId() const = 0;
};

// The side of rich presence, persona names and avatars; friend ids are store-front ids.
class SteamFriends {
 public:
  static constexpr int kAvatarSide = 32;
  static constexpr size_t kAvatarBytes = kAvatarSide * kAvatarSide * 4;

  virtual ~SteamFriends() = default;
  // The user's immediate friends, by index in the client's order.
  virtual int friendCount() const = 0;
  virtual uint64_t friendByIndex(int index) const = 0;
  virtual SteamPersonaState friendPersonaState(uint64_t id) const = 0;
  virtual std::string friendPersonaName(uint64_t id) const = 0;
  // The local user's own name.
  virtual std::string personaName() const = 0;

  // The local user's rich presence, which the friends read.
  virtual bool setRichPresence(const std::string& key, const std::string& value) = 0;
  virtual void clearRichPresence() = 0;
  // Asks the client to fetch a friend's rich presence; the value read may lag behind it.
  virtual void requestFriendRichPresence(uint64_t id) = 0;
  // Empty when the friend has no value for the key.
  virtual std::string friendRichPresence(uint64_t id, const std::string& key) const = 0;
  // A user's small avatar, 32x32 RGBA pixels row by row (kAvatarBytes); empty when none.
  virtual std::vector<uint8_t> smallFriendAvatar(uint64_t id) const = 0;

  // Every immediate friend with name and state, in the client's order.
  std::vector<SteamFriendInfo> immediateFriends() const;
};

// Peer-to-peer packets between users: every packet is sent reliably and in order, and the game
// uses channel 0 only. Packets from a user arrive only within a session: the first packet from a
// user we have no session with raises a session request (STEAM_P2P_SESSION_REQUEST), and its
// packets wait until the request is accepted. Sending to a user opens our side of the session.
class SteamNetworking {
 public:
  virtual ~SteamNetworking() = default;
  // False when the user cannot be reached; a STEAM_P2P_SESSION_CONNECT_FAIL for it follows.
  virtual bool sendP2PPacket(uint64_t to, const uint8_t* data, uint32_t length, int channel) = 0;
  // True while a packet waits on the channel; `size` is its length.
  virtual bool isP2PPacketAvailable(uint32_t& size, int channel) = 0;
  // Takes the oldest packet of the channel, copying at most `capacity` bytes of it; `written` is
  // the number copied. False when no packet waits.
  virtual bool readP2PPacket(uint8_t* buffer, uint32_t capacity, uint32_t& written,
                             uint64_t& sender, int channel) = 0;
  virtual bool acceptP2PSessionWithUser(uint64_t user) = 0;
  // Ends our side of the session; packets from the user still waiting are dropped.
  virtual bool closeP2PSessionWithUser(uint64_t user) = 0;
};

// Results of the request calls arrive later as callbacks; the bool results only say whether the
// call was accepted.
class SteamUserStats {
 public:
  virtual ~SteamUserStats() = default;
  virtual bool setAchievement(const std::string& key) = 0;
  virtual bool requestCurrentStats() = 0;
  virtual bool storeStats() = 0;
  virtual bool setStat(const std::string& key, int32_t value) = 0;
  virtual bool getStat(const std::string& key, int32_t& value) const = 0;
  virtual bool getGlobalStat(const std::string& key, int64_t& value) const = 0;
  virtual bool requestGlobalStats(int historyDays) = 0;
};

class SteamApi {
 public:
  using WarningHook = std::function<void(int severity, const char* text)>;

  virtual ~SteamApi() = default;

  // Connects to a running client; false when there is none.
  virtual bool init() = 0;
  virtual void shutdown() = 0;
  // Hands queued results to the registered callbacks; main thread, once per frame.
  virtual void runCallbacks() = 0;
  virtual void setWarningMessageHook(WarningHook hook) = 0;

  virtual SteamUser* user() = 0;
  virtual SteamFriends* friends() = 0;
  virtual SteamUserStats* userStats() = 0;
  virtual SteamNetworking* networking() = 0;

  SteamCallbackRegistry& callbacks() { return callbacks_; }

 private:
  SteamCallbackRegistry callbacks_;
};

// No client: init fails and every sub-interface is absent.
class NullSteamApi : public SteamApi {
 public:
  bool init() override { return false; }
  void shutdown() override {}
  void runCallbacks() override {}
  void setWarningMessageHook(WarningHook) override {}
  SteamUser* user() override { return nullptr; }
  SteamFriends* friends() override { return nullptr; }
  SteamUserStats* userStats() override { return nullptr; }
  SteamNetworking* networking() override { return nullptr; }
};

}  // namespace kel
