#include "platform/steam/steam_achievements.h"

#include <algorithm>
#include <limits>

namespace kel {

namespace {

constexpr int GLOBAL_STATS_HISTORY_DAYS = 1;

}  // namespace

SteamAchievements::SteamAchievements(SteamApi& api)
    : api_(api),
      globalStatsCallback_(api.callbacks(), STEAM_GLOBAL_STATS_RECEIVED,
                           [this](const SteamCallbackData& data) { onGlobalStatsReceived(data); }),
      userStatsCallback_(api.callbacks(), STEAM_USER_STATS_RECEIVED,
                         [this](const SteamCallbackData& data) { onUserStatsReceived(data); }),
      statsStoredCallback_(api.callbacks(), STEAM_USER_STATS_STORED,
                           [](const SteamCallbackData&) {}),
      achievementStoredCallback_(api.callbacks(), STEAM_USER_ACHIEVEMENT_STORED,
                                 [](const SteamCallbackData&) {}) {}

void SteamAchievements::setStatsTarget(SteamStatsTarget* target) {
  target_ = target != nullptr ? target : &nullTarget_;
}

void SteamAchievements::unlock(const std::string& key) {
  if (SteamUserStats* userStats = stats()) {
    userStats->setAchievement(key);
    store();
  }
}

bool SteamAchievements::available() const { return stats() != nullptr; }

bool SteamAchievements::requestStats() {
  SteamUserStats* userStats = stats();
  return userStats != nullptr && userStats->requestCurrentStats();
}

bool SteamAchievements::store() {
  SteamUserStats* userStats = stats();
  return userStats != nullptr && userStats->storeStats();
}

bool SteamAchievements::setIntStat(uint32_t index, uint32_t value) {
  SteamUserStats* userStats = stats();
  if (userStats == nullptr || index >= steamStatKeys.size()) {
    return false;
  }
  // The client keeps signed 32-bit statistics: a larger count stays at the largest one rather
  // than turning negative.
  const uint32_t largest = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
  return userStats->setStat(steamStatKeys[index], static_cast<int32_t>(std::min(value, largest)));
}

int64_t SteamAchievements::globalStat(uint32_t index) const {
  SteamUserStats* userStats = stats();
  int64_t value = 0;
  if (userStats == nullptr || index >= steamStatKeys.size() ||
      !userStats->getGlobalStat(steamStatKeys[index], value)) {
    return 0;
  }
  return value;
}

bool SteamAchievements::requestGlobalStats() {
  SteamUserStats* userStats = stats();
  if (userStats == nullptr) {
    return false;
  }
  const bool globalAccepted = userStats->requestGlobalStats(GLOBAL_STATS_HISTORY_DAYS);
  const bool currentAccepted = userStats->requestCurrentStats();
  return globalAccepted && currentAccepted;
}

void SteamAchievements::onGlobalStatsReceived(const SteamCallbackData& data) {
  // A failed request delivers no numbers, so it must not announce them as ready.
  if (data.result == STEAM_RESULT_OK) {
    globalStatsReceived_ = true;
  }
}

void SteamAchievements::onUserStatsReceived(const SteamCallbackData& data) {
  SteamUserStats* userStats = stats();
  if (data.result != STEAM_RESULT_OK || userStats == nullptr) {
    return;
  }
  for (uint32_t index = 0; index < steamStatKeys.size(); ++index) {
    int32_t value = 0;
    if (target_->acceptsValue(index) && userStats->getStat(steamStatKeys[index], value)) {
      target_->setValue(index, static_cast<uint32_t>(std::max(value, 0)));
    }
  }
}

}  // namespace kel
