#pragma once
// A player's events sink that counts the player's statistics in a statistics store and lets
// every other event go. The application's interface sink counts the local player's statistics
// itself; a headless game (the world tool) gives its local player this one, so that what its
// player does is counted as the program counts it. Main thread only.

#include <cstdint>

#include "game/player/player_events.h"

class StatsStore;

class StatsPlayerEvents : public PlayerEvents {
 public:
  // The store is borrowed and outlives the sink.
  explicit StatsPlayerEvents(StatsStore& store) : store_(store) {}
  void recordStat(uint16_t statId, uint16_t value) override;
  void achievementReached(uint16_t index) override;

 private:
  StatsStore& store_;
};
