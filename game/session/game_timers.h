#pragma once
// The game's timed tasks and their intervals in seconds. Every owner keeps its tasks on its own
// engine timer group: the tasks that play a world on the world's timers (`world_timer` in
// world/time/world_timers.h), the session's own, which run before or between worlds, on the
// session's (`session_timer`), and a networked game's endpoint its drain and join wait on its own
// (`endpoint_timer` in net/endpoint/net_common.h).

namespace game_interval {
constexpr float kRulesInterval = 1.0f;
constexpr float kPlayerUpdateInterval = 0.5f;
constexpr float kStartLoadingDelay = 0.05f;
constexpr float kSettleDelay = 10.0f;
constexpr float kJoinTimeoutDelay = 20.0f;
constexpr float kAutosaveInterval = 300.0f;
}  // namespace game_interval

// The keys of a session's own timers (`GameLocal::timers`): its own target, so two sessions in
// one process never take each other's.
namespace session_timer {
constexpr int kStartLoading = 0;  // the world file is read shortly after the loading screen shows
constexpr int kSettle = 1;        // a while after a world is entered, a death drops the inventory
constexpr int kFirstSave = 2;     // a new world is written in a frame after the one that enters it
}  // namespace session_timer
