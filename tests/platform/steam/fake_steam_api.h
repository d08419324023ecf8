#pragma once
// A store-front client that records every call and fires queued callbacks in runCallbacks.

#include <map>
#include <stdexcept>
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
  kel::SteamNetworking* networking() override { return nullptr; }

 private:
  bool record(const std::string& call) {
    calls.push_back(call);
    return true;
  }

  bool loggedOn() const override { return isLoggedOn; }
  uint64_t steamId() const override { return 76561198000000001ull; }
  int friendCount() const override { return static_cast<int>(friendInfos.size()); }
  uint64_t friendByIndex(int index) const override { return friendInfos.at(index).steamId; }
  const kel::SteamFriendInfo& info(uint64_t id) const {
    for (const kel::SteamFriendInfo& info : friendInfos) {
      if (info.steamId == id) return info;
    }
    throw std::out_of_range("no such friend");
  }
  kel::SteamPersonaState friendPersonaState(uint64_t id) const override { return info(id).state; }
  std::string friendPersonaName(uint64_t id) const override { return info(id).personaName; }
  std::string personaName() const override { return "me"; }
  bool setRichPresence(const std::string&, const std::string&) override { return true; }
  void clearRichPresence() override {}
  void requestFriendRichPresence(uint64_t) override {}
  std::string friendRichPresence(uint64_t, const std::string&) const override { return {}; }
  std::vector<uint8_t> smallFriendAvatar(uint64_t) const override { return {}; }
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
