#pragma once
// Our own thin layer over the Steam client: exactly the calls the game makes, as an interface.
// The desktop build uses NullSteamApi, which reports that no client runs, so the game takes its
// no-Steam paths. Each sub-interface is null while the client is not running, as the real client
// reports it. Peer-to-peer networking joins here as one more sub-interface when the multiplayer
// transports arrive (an in-process hub can then serve the tests).

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

class SteamFriends {
 public:
  virtual ~SteamFriends() = default;
  // The user's immediate friends, in the client's order.
  virtual std::vector<SteamFriendInfo> immediateFriends() const = 0;
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
};

}  // namespace kel
