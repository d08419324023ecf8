#pragma once
// The game's timed tasks. A networked game's endpoint (its drain in slot 2 every frame, a joining
// client's wait for admission in slot 10) keeps its slot in the engine's slot table; the tasks
// that play a world run on the world's own timers (`world_timer` in world/time/world_timers.h),
// and the session's own, which run before or between worlds, on the session's timers
// (`session_timer`). Intervals in seconds.

namespace game_slot {
constexpr int kNetDrain = 2;  // every frame: the endpoint's received messages
constexpr int kJoinTimeout = 10;
constexpr int kClientTravel = 23;

constexpr float kRulesInterval = 1.0f;
constexpr float kPlayerUpdateInterval = 0.5f;
constexpr float kStartLoadingDelay = 0.05f;
constexpr float kSettleDelay = 10.0f;
constexpr float kJoinTimeoutDelay = 20.0f;
constexpr float kAutosaveInterval = 300.0f;
}  // namespace game_slot

// The keys of a session's own timers (`GameLocal::timers`): its own target, so two sessions in
// one process never take each other's.
namespace session_timer {
constexpr int kStartLoading = 0;  // the world file is read shortly after the loading screen shows
constexpr int kSettle = 1;        // a while after a world is entered, a death drops the inventory
}  // namespace session_timer
