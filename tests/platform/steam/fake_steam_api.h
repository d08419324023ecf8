#pragma once
// A store-front client that records every call and fires queued callbacks in runCallbacks.

#include <map>
#include <string>
#include <vector>

#include "platform/steam/steam_api.h"

namespace testsupport {

class FakeSteamApi : public kel::SteamApi,
                     private kel::SteamUser,
                     private kel::SteamFriends,
                     private kel::SteamUserStats {
 public:
  bool initSucceeds = true;
  bool isLoggedOn = true;
  bool running = false;
  std::vector<kel::SteamFriendInfo> friendInfos;
  std::map<std::string, int32_t> stats;
  std::vector<std::string> calls;
  std::vector<kel::SteamCallbackData> pending;

  void queue(int id, int result) { pending.push_back(kel::SteamCallbackData{id, result}); }

  bool init() override {
    record("init");
    return running = initSucceeds;
  }
  void shutdown() override {
    record("shutdown");
    running = false;
  }
  void runCallbacks() override {
    std::vector<kel::SteamCallbackData> due;
    due.swap(pending);
    for (const kel::SteamCallbackData& data : due) callbacks().dispatch(data);
  }
  void setWarningMessageHook(WarningHook) override {}
  kel::SteamUser* user() override { return running ? this : nullptr; }
  kel::SteamFriends* friends() override { return running ? this : nullptr; }
  kel::SteamUserStats* userStats() override { return running ? this : nullptr; }

 private:
  bool record(const std::string& call) {
    calls.push_back(call);
    return true;
  }

  bool loggedOn() const override { return isLoggedOn; }
  uint64_t steamId() const override { return 76561198000000001ull; }
  std::vector<kel::SteamFriendInfo> immediateFriends() const override { return friendInfos; }
  bool setAchievement(const std::string& key) override { return record("setAchievement " + key); }
  bool requestCurrentStats() override { return record("requestCurrentStats"); }
  bool storeStats() override { return record("storeStats"); }
  bool setStat(const std::string& key, int32_t value) override {
    stats[key] = value;
    return record("setStat " + key + " " + std::to_string(value));
  }
  bool getStat(const std::string& key, int32_t& value) const override {
    const auto found = stats.find(key);
    if (found != stats.end()) value = found->second;
    return found != stats.end();
  }
  bool getGlobalStat(const std::string&, int64_t&) const override { return false; }
  bool requestGlobalStats(int days) override { return record("requestGlobalStats " + std::to_string(days)); }
};

}  // namespace testsupport
