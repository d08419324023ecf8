#pragma once
// The timed tasks of one world: its liquid and circuit steps and the tasks a game runs while it
// plays the world (rules, clock, player update, entities, autosave). Each world has its own, under
// its own target on the scheduler, so two worlds in one process never take each other's timers,
// and a world's destruction unschedules every one of them (`World::~World`).
//
// The tasks run on the scheduler the world's context names (`WorldContext::scheduler`), or the
// director's when it names none: an engine timer group, which retains that scheduler.
//
// Main thread only.

#include "engine/scene/timer_group.h"

struct WorldContext;

// The tasks by key. Keys are this world's own: another world's task under the same key is another
// timer.
namespace world_timer {
constexpr int kRules = 0;
constexpr int kClock = 1;
constexpr int kLiquidStep = 2;
constexpr int kCircuitStep = 3;
constexpr int kPlayerUpdate = 4;
constexpr int kEntities = 5;  // every frame: the entities' whole ticks
constexpr int kAutosave = 6;
constexpr int kSettle = 7;  // once, a while after a joined player entered: a death then drops the inventory
constexpr int kKeepCharacter = 8;  // once, the frame after a joined player ate: her character is kept
}  // namespace world_timer

// A world's (or a session's) timer group on the scheduler its context names.
class WorldTimers : public engine::TimerGroup {
 public:
  explicit WorldTimers(const WorldContext& context);
};
