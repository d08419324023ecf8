#pragma once
// The timed tasks of one world: its liquid and circuit steps and the tasks a game runs while it
// plays the world (rules, clock, player update, entities, autosave). Each world has its own, under
// its own target on the scheduler, so two worlds in one process never take each other's timers,
// and a world's destruction unschedules every one of them (`World::~World`).
//
// The tasks run on the scheduler the world's context names (`WorldContext::scheduler`), or the
// director's when it names none. The scheduler is retained while it may hold this world's timers,
// so a world that outlives the director (the program's world at exit) still unschedules safely.
//
// Main thread only.

#include <functional>

namespace engine {
class Scheduler;
}
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
}  // namespace world_timer

class WorldTimers {
 public:
  explicit WorldTimers(const WorldContext& context);
  ~WorldTimers();
  WorldTimers(const WorldTimers&) = delete;
  WorldTimers& operator=(const WorldTimers&) = delete;

  // Runs the callback every interval seconds (0: every frame) with the time passed, until it is
  // unscheduled; a task already scheduled under the key only takes the new interval.
  void schedule(int key, float interval, std::function<void(float)> callback);
  // Runs the callback once, after the delay; a task already scheduled under the key only takes
  // the new timing.
  void scheduleOnce(int key, float delay, std::function<void(float)> callback);
  void unschedule(int key);
  bool isScheduled(int key) const;
  void unscheduleAll();

 private:
  engine::Scheduler& scheduler();

  const WorldContext& context_;
  engine::Scheduler* held_ = nullptr;  // retained; the scheduler the world's timers are on
};
