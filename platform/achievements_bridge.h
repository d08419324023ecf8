#pragma once
// Achievements and the statistics kept by the store front. Without a store front every operation
// does nothing and answers false or 0, so callers never need to ask first.

#include <cstdint>
#include <string>

namespace kel {

class AchievementsBridge {
 public:
  virtual ~AchievementsBridge() = default;

  // Unlocks the achievement with this key (the rules pass their achievement record's key) and
  // stores it at once.
  virtual void unlock(const std::string& key) = 0;
  virtual bool available() const = 0;
  virtual bool requestStats() = 0;
  virtual bool store() = 0;
  // Index into the statistics table (0 fish caught, 1 items crafted); outside it gives false.
  virtual bool setIntStat(uint32_t index, uint32_t value) = 0;
  virtual int64_t globalStat(uint32_t index) const = 0;
  virtual bool globalStatsReady() const = 0;
  virtual bool requestGlobalStats() = 0;
};

// Used where no store front exists at all.
class NullAchievementsBridge : public AchievementsBridge {
 public:
  void unlock(const std::string&) override {}
  bool available() const override { return false; }
  bool requestStats() override { return false; }
  bool store() override { return false; }
  bool setIntStat(uint32_t, uint32_t) override { return false; }
  int64_t globalStat(uint32_t) const override { return 0; }
  bool globalStatsReady() const override { return false; }
  bool requestGlobalStats() override { return false; }
};

}  // namespace kel
