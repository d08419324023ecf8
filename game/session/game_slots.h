#pragma once
// The game's timed tasks: the few that run before or between worlds, and a networked game's
// endpoint (its drain in slot 2 every frame, a joining client's wait for admission in slot 10),
// keep their slot in the engine's slot table; those that play a world run on the world's own
// timers (`world_timer` in world/time/world_timers.h). Intervals in seconds.

namespace game_slot {
constexpr int kNetDrain = 2;  // every frame: the endpoint's received messages
constexpr int kStartLoading = 8;
constexpr int kSettle = 9;
constexpr int kJoinTimeout = 10;
constexpr int kClientTravel = 23;

constexpr float kRulesInterval = 1.0f;
constexpr float kPlayerUpdateInterval = 0.5f;
constexpr float kStartLoadingDelay = 0.05f;
constexpr float kSettleDelay = 10.0f;
constexpr float kJoinTimeoutDelay = 20.0f;
constexpr float kAutosaveInterval = 300.0f;
}  // namespace game_slot
