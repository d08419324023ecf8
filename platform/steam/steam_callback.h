#pragma once
// Callbacks of the Steam client layer. The client queues results (statistics received, stored,
// overlay shown) and hands them to the registered handlers only inside SteamApi::runCallbacks, on
// the main thread, so handlers never race the game.

#include <cstdint>
#include <functional>
#include <vector>

namespace kel {

enum SteamCallbackId : int {
  STEAM_GAME_OVERLAY_ACTIVATED = 331,
  STEAM_USER_STATS_RECEIVED = 1101,
  STEAM_P2P_SESSION_REQUEST = 1202,       // steamId: the user who asks
  STEAM_P2P_SESSION_CONNECT_FAIL = 1203,  // steamId: the user who cannot be reached
  STEAM_USER_STATS_STORED = 1102,
  STEAM_USER_ACHIEVEMENT_STORED = 1103,
  STEAM_GLOBAL_STATS_RECEIVED = 1112,
};

// The client's result code for success; every other value is a failure.
constexpr int STEAM_RESULT_OK = 1;
constexpr int STEAM_RESULT_FAIL = 2;

struct SteamCallbackData {
  int id = 0;
  int result = STEAM_RESULT_OK;
  uint64_t steamId = 0;  // the other user, for the peer-to-peer callbacks
};

class SteamCallbackRegistry {
 public:
  using Handler = std::function<void(const SteamCallbackData&)>;

  // Returns a token for remove; tokens are never reused.
  uint32_t add(int id, Handler handler);
  void remove(uint32_t token);
  // Calls every handler registered for data.id, in registration order. A handler may add or
  // remove handlers; one removed meanwhile is not called.
  void dispatch(const SteamCallbackData& data);

 private:
  friend struct SteamProbe;  // tests count the handlers
  struct Entry {
    uint32_t token;
    int id;
    Handler handler;
  };
  std::vector<Entry> entries_;
  uint32_t nextToken_ = 1;
};

// One registration that lasts as long as the object: its owner cannot be called after it is gone.
class SteamCallback {
 public:
  SteamCallback(SteamCallbackRegistry& registry, int id, SteamCallbackRegistry::Handler handler);
  ~SteamCallback();
  SteamCallback(const SteamCallback&) = delete;
  SteamCallback& operator=(const SteamCallback&) = delete;

 private:
  SteamCallbackRegistry& registry_;
  uint32_t token_;
};

}  // namespace kel
