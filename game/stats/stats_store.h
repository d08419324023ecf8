#pragma once
// What the player has done: 128 counters by statistic number, 13 categories of per-id counts,
// the two values the store front keeps (fish caught, items crafted) and which achievements are
// unlocked. Every game event enters through `recordStatEvent`, which counts it and unlocks what it
// earns; unlocks go to the pop-up and, when there is one, the store front's achievements service.
// The statistics file is this store's counters and categories (game/stats/stats_file.h).
//
// One process-wide store (`statsStore`); tests build their own. Main thread only.

#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

#include "game/stats/achievement_table.h"
#include "game/stats/stats_file.h"
#include "platform/steam/steam_stats_target.h"

namespace kel {
class AchievementsBridge;
}
class AchievementPopup;

// Statistic numbers the rules and the collection book name.
namespace stat_number {
inline constexpr uint16_t kEaten = 0, kFound = 1, kCrafted = 2, kEncrusted = 4, kFishCaught = 6,
                          kWorn = 7, kPlaced = 10, kDestroyed = 11, kKilled = 32, kDied = 53,
                          kPlayTime = 60, kThrown = 80;
}
// Categories by what they count.
namespace stat_category {
inline constexpr uint32_t kFound = 0, kEaten = 1, kCrafted = 2, kPlaced = 5, kKilled = 7,
                          kFishCaught = 11, kWorn = 12;
}

struct StatEntry {
  uint16_t id = 0;
  uint32_t count = 0;
  bool operator==(const StatEntry&) const = default;
};

inline constexpr size_t kPlatformStatCount = 2;

// The store front reports its own fish-caught and items-crafted values here once it has them;
// the counts go on from there.
class StatsStore : public kel::SteamStatsTarget {
 public:
  StatsStore();

  // Null for either restores "none": no store front, no pop-up. Neither is owned.
  void setServices(kel::AchievementsBridge* service, AchievementPopup* popup);
  // Whether a store front or a pop-up is registered.
  bool servicesRegistered() const;

  // Counts one event of statistic `statistic` for `id` and runs its achievement rules. Numbers
  // at or above 128 name no counter and are ignored.
  void recordStatEvent(uint16_t statistic, uint16_t id);

  uint32_t statCategoryCount(uint32_t category, uint16_t id) const;
  uint32_t isItemSeen(uint16_t id) const { return statCategoryCount(stat_category::kKilled, id); }
  // The category that statistics page `page` (0-5) shows, ascending by count (equal counts in id
  // order); a non-zero item kind keeps only ids whose item definition has that kind.
  std::vector<StatEntry> statEntriesSortedByCount(uint32_t page, uint8_t itemKind) const;

  uint32_t counter(uint16_t statistic) const;
  // Adds one to a counter and gives its new value; the rules keep their group counts here.
  uint32_t addToCounter(uint16_t statistic);
  uint32_t platformValue(size_t index) const { return platformValues_.at(index); }
  bool acceptsValue(uint32_t index) const override { return index < kPlatformStatCount; }
  void setValue(uint32_t index, uint32_t value) override;

  // Sets row n's flag, shows it and tells the store front; nothing when it is already set.
  void unlockAchievement(size_t n);
  bool isUnlocked(size_t n) const { return n < kAchievementCount && unlocked_[n]; }
  // Takes a flag back from the character file: no pop-up, nothing sent.
  void restoreUnlocked(size_t n);
  // Every row's flag cleared: when a world ends (so each unlock is reported again) and before a
  // character's own set is restored.
  void clearUnlocked() { unlocked_.reset(); }

  // The statistics file's bytes; afterwards the store front receives the platform values and
  // is asked to store them.
  std::vector<uint8_t> writeStatistics();
  // Reads a statistics file over the store; false when it ended early (what it held is kept).
  bool readStatistics(std::span<const uint8_t> bytes);
  const StatsRecord& record() const { return record_; }
  void clearStatistics();

 private:
  StatsRecord record_;
  std::array<uint32_t, kPlatformStatCount> platformValues_{};
  std::bitset<kAchievementCount> unlocked_;
  kel::AchievementsBridge* service_ = nullptr;
  AchievementPopup* popup_;
};

StatsStore& statsStore();
