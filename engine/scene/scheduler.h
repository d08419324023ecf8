#pragma once
// The engine's clock: per-frame callbacks, timers keyed by (target, key), and the functions that
// other threads hand to the main thread. The director calls update once per drawn frame.
//
// Everything except performFunctionInMainThread belongs to the main thread. Callbacks may
// schedule and unschedule freely while update runs; removals that would pull an entry out from
// under the walk are deferred until the walk has passed it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/timer.h"

namespace engine {

class Node;

class Scheduler : public Ref {
 public:
  Scheduler();
  ~Scheduler() override;

  // Adds a timer, or, when the target already has one with this key, changes only its interval.
  void schedule(SchedulerCallback callback, void* target, float interval, uint32_t repeat,
                float delay, int key);
  void unschedule(int key, void* target);

  // One per-frame entry per target, run in the order added. Scheduling a target that already has
  // an entry keeps its callback and only revives it (un-marks a pending removal, sets paused).
  void schedulePerFrame(SchedulerCallback callback, void* target, bool paused);
  void scheduleUpdate(Node* node, bool paused);
  void unscheduleUpdate(void* target);

  void unscheduleAllForTarget(void* target);
  // Every timer and per-frame entry, at once (deferred only for what the running pass holds).
  void unscheduleAll();

  void setTargetPaused(void* target, bool paused);

  // Callable from any thread; the function runs on the main thread at the end of the next update.
  void performFunctionInMainThread(std::function<void()> function);

  void update(float dt);

  void setTimeScale(float scale) { timeScale_ = scale; }
  float getTimeScale() const { return timeScale_; }

  bool isScheduled(int key, void* target) const;
  size_t getTimerCount(void* target) const;

 private:
  struct PerFrameEntry {
    SchedulerCallback callback;
    void* target;
    bool paused;
    bool markedForDeletion;
  };
  struct TimerElement {
    void* target;
    std::list<Timer> timers;  // in scheduling order; stable while the walk erases neighbours
    size_t slot = 0;          // its place in timerOrder_
    bool paused = false;
  };
  using PerFrameList = std::list<PerFrameEntry>;

  void runPerFramePass(float dt);
  void runTimerPass(float dt);
  void prefetchAhead(size_t index, size_t count) const;
  void walkTimers(TimerElement& element, float dt);
  void removeMarkedPerFrame();
  void runHandedOverFunctions();
  void removePerFrameEntry(PerFrameList::iterator entry);
  TimerElement* findElement(void* target) const;
  void dropElement(TimerElement* element);
  void eraseElement(TimerElement* element);
  void sweepEmptiedElements();

  float timeScale_ = 1.0f;
  PerFrameList perFrameList_;
  std::unordered_map<void*, PerFrameList::iterator> perFrameIndex_;
  std::unordered_map<void*, std::unique_ptr<TimerElement>> timerTable_;
  void* currentTarget_ = nullptr;
  bool currentTargetRemoved_ = false;
  int currentTimerKey_ = -1;
  bool currentTimerRemoved_ = false;
  bool updatePassRunning_ = false;
  // Every timer element, walked in this order by the timer pass: mostly the order the targets
  // got their first timer, which is mostly the order their memory was allocated in, so the pass
  // reads memory forwards instead of jumping about the hash map. Elements are not erased while
  // the pass walks them: an element emptied meanwhile is listed here and erased when the pass
  // ends (still empty by then); an erased element's place goes to the last one.
  std::vector<TimerElement*> timerOrder_;
  std::vector<void*> emptiedTargets_;
  // The running target's timers at the moment a callback cleared them: moved here whole, so the
  // running timer outlives its own callback and timers the callback schedules afterwards stay.
  std::list<Timer> clearedTimers_;

  std::vector<std::function<void()>> handedOver_;
  std::vector<std::function<void()>> handedOverCopy_;
  // Lets the main thread skip the lock on the (usual) empty frame without racing the writers.
  std::atomic<bool> hasHandedOver_{false};
  std::mutex handOverMutex_;
};

}  // namespace engine
