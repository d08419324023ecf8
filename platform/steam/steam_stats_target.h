#pragma once
// Where the user's statistics arrive when the Steam client reports them. The statistics code owns
// the current values and one flag per statistic; it registers itself here at launch. A statistic
// whose flag is set keeps its own value.

#include <array>
#include <cstdint>

namespace kel {

constexpr uint32_t STEAM_STAT_FISH_CAUGHT = 0;
constexpr uint32_t STEAM_STAT_ITEM_CRAFTED = 1;
// The store front's keys of the statistics, by index.
constexpr std::array<const char*, 2> steamStatKeys = {"fish_caught", "item_crafted"};

class SteamStatsTarget {
 public:
  virtual ~SteamStatsTarget() = default;
  // False when the statistic's flag is set: the value from the client must not overwrite it.
  virtual bool acceptsValue(uint32_t index) const = 0;
  virtual void setValue(uint32_t index, uint32_t value) = 0;
};

class NullSteamStatsTarget : public SteamStatsTarget {
 public:
  bool acceptsValue(uint32_t) const override { return false; }
  void setValue(uint32_t, uint32_t) override {}
};

}  // namespace kel
