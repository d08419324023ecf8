#pragma once
// The game's timed tasks by their slot in the engine's slot table, with their intervals in
// seconds. The liquid step (3) and the circuit step (4) schedule themselves while they have work.
// A networked game's endpoint drains its messages in slot 2 and a joining client waits for its
// admission in slot 10.

namespace game_slot {
constexpr int kRules = 0;
constexpr int kClock = 1;
constexpr int kNetDrain = 2;  // every frame: the endpoint's received messages
constexpr int kPlayerUpdate = 5;
constexpr int kEntities = 6;  // every frame: the entities' whole ticks
constexpr int kStartLoading = 8;
constexpr int kSettle = 9;
constexpr int kJoinTimeout = 10;
constexpr int kClientTravel = 23;
constexpr int kAutosave = 24;

constexpr float kRulesInterval = 1.0f;
constexpr float kPlayerUpdateInterval = 0.5f;
constexpr float kStartLoadingDelay = 0.05f;
constexpr float kSettleDelay = 10.0f;
constexpr float kJoinTimeoutDelay = 20.0f;
constexpr float kAutosaveInterval = 300.0f;
}  // namespace game_slot
