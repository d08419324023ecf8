#pragma once
// Achievements and statistics through the Steam client layer. Every call first checks that the
// client's user-statistics interface exists; without it nothing happens and the answer is
// false or 0.

#include <memory>

#include "platform/achievements_bridge.h"
#include "platform/steam/steam_api.h"
#include "platform/steam/steam_stats_target.h"

namespace kel {

class SteamAchievements : public AchievementsBridge {
 public:
  // Registers the four statistics callbacks with the client layer, which must outlive this object.
  explicit SteamAchievements(SteamApi& api);

  // The statistics code's storage; null restores the target that accepts nothing. Not owned.
  void setStatsTarget(SteamStatsTarget* target);

  void unlock(const std::string& key) override;
  bool available() const override;
  bool requestStats() override;
  bool store() override;
  bool setIntStat(uint32_t index, uint32_t value) override;
  int64_t globalStat(uint32_t index) const override;
  bool globalStatsReady() const override { return globalStatsReceived_; }
  bool requestGlobalStats() override;

  void onGlobalStatsReceived(const SteamCallbackData& data);
  void onUserStatsReceived(const SteamCallbackData& data);

 private:
  SteamUserStats* stats() const { return api_.userStats(); }

  SteamApi& api_;
  NullSteamStatsTarget nullTarget_;
  SteamStatsTarget* target_ = &nullTarget_;
  bool globalStatsReceived_ = false;
  // Declared last: they unregister before anything they call into goes away.
  SteamCallback globalStatsCallback_;
  SteamCallback userStatsCallback_;
  SteamCallback statsStoredCallback_;
  SteamCallback achievementStoredCallback_;
};

}  // namespace kel
