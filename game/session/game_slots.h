#pragma once
// The game's timed tasks: the few that run before or between worlds keep their slot in the
// engine's slot table; those that play a world run on the world's own timers (`world_timer` in
// world/time/world_timers.h). Intervals in seconds.

namespace game_slot {
constexpr int kStartLoading = 8;
constexpr int kSettle = 9;
constexpr int kClientTravel = 23;

constexpr float kRulesInterval = 1.0f;
constexpr float kPlayerUpdateInterval = 0.5f;
constexpr float kStartLoadingDelay = 0.05f;
constexpr float kSettleDelay = 10.0f;
constexpr float kAutosaveInterval = 300.0f;
}  // namespace game_slot
