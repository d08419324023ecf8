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
#include <mutex>
#include <unordered_map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/callback_slots.h"
#include "engine/scene/timer.h"
#include "engine/scene/timer_element.h"

namespace engine {

class Node;

class Scheduler : public Ref {
 public:
  Scheduler();
  ~Scheduler() override;

  // Adds a timer, or, when the target already has one with this key, gives that one the new
  // timing and keeps its callback and its count of runs: a repeating timer takes the new interval
  // and counts on towards its next run; a once-timer, which is still waiting for its run, takes
  // the new interval and delay, counted from now. A timer is scheduled from this call until it is
  // unscheduled or its last run begins: while its last callback runs (a once-timer's only one)
  // its key is free, so that callback may schedule the key again as a new timer.
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

  // False for a timer whose last callback is running (see schedule).
  bool isScheduled(int key, void* target) const;
  size_t getTimerCount(void* target) const;

 private:
  struct PerFrameEntry {
    SchedulerCallback callback;
    void* target;
    bool paused;
    bool markedForDeletion;
  };
  using PerFrameList = std::list<PerFrameEntry>;
  static constexpr uint32_t kNoSlot = TimerElement::kNoSlot;
  // A timer (but its clock) in the one array of every timer, linked to its target's other timers
  // in scheduling order. Its clock lies at the same place in clocks_, its callback in callbacks_.
  struct TimerSlot {
    Timer timer;
    uint32_t previous;
    uint32_t next;
  };

  void runPerFramePass(float dt);
  void runTimerPass(float dt);
  void fireLone(size_t place, float dt);
  void walkAfterLone(size_t place, uint32_t slot, float dt);
  void stepElement(size_t place, float dt);
  void enterTarget(size_t place);
  void walkTimers(size_t place, uint32_t slot, float dt);
  void runCallback(uint32_t slot, float elapsed);
  void leaveBeforeLastRun(size_t place, uint32_t slot);
  uint32_t afterRun(uint32_t slot, const Timer::Step& step);
  void noteIfEmptied(size_t place);
  void removeMarkedPerFrame();
  void runHandedOverFunctions();
  void removePerFrameEntry(PerFrameList::iterator entry);
  TimerElement* findElement(void* target);
  const TimerElement* findElement(void* target) const;
  uint32_t findTimer(const TimerElement& element, int key) const;
  uint32_t takeSlot(SchedulerCallback callback, const TimerClock& clock, const Timer& timer);
  void freeSlot(uint32_t slot);
  void retime(uint32_t slot, float interval, float delay);
  // Takes the timer out of its target's chain; its place stays taken.
  void detachTimer(TimerElement& element, uint32_t slot);
  void unlinkTimer(TimerElement& element, uint32_t slot);
  // Frees every timer of the element but `kept` (the running one, freed when its callback returns).
  void clearTimers(TimerElement& element, uint32_t kept);
  void dropElement(TimerElement* element);
  void eraseElement(TimerElement* element);
  void sweepEmptiedElements();

  float timeScale_ = 1.0f;
  PerFrameList perFrameList_;
  std::unordered_map<void*, PerFrameList::iterator> perFrameIndex_;
  // Every timer's clock, in one array the timer pass reads forwards when targets got their timers
  // in the order they are walked (the usual case); freed places are taken again first. The rest
  // of each timer, by slot, is read only for a target whose timers are walked.
  std::vector<TimerClock> clocks_;
  std::vector<TimerSlot> slots_;
  // The callbacks, by slot, which do not move while one runs; a running timer's place is never
  // freed before it returns.
  CallbackSlots callbacks_;
  std::vector<uint32_t> freeSlots_;
  // Every target with timers, walked in this order by the timer pass: mostly the order the
  // targets got their first timer. Elements are not erased while the pass walks them (so their
  // places stay put, though a callback that adds a target may move the array): one emptied
  // meanwhile is listed and erased when the pass ends (if still empty by then); an erased
  // element's place goes to the last one.
  std::vector<TimerElement> elements_;
  std::unordered_map<void*, size_t> places_;
  // What the pass is running: the target whose timer's callback runs (or last ran), whether that
  // callback cleared the target or unscheduled its own timer (taken out of the chain at once), and
  // the timer's slot, kNoSlot when no callback runs.
  void* currentTarget_ = nullptr;
  bool currentTargetRemoved_ = false;
  bool currentTimerRemoved_ = false;
  uint32_t currentSlot_ = kNoSlot;
  // Where the walk goes on once a running timer its callback unscheduled returns: the timer
  // behind it in the chain, kept true as the callback removes and adds timers.
  uint32_t resumeSlot_ = kNoSlot;
  bool updatePassRunning_ = false;
  std::vector<void*> emptiedTargets_;

  std::vector<std::function<void()>> handedOver_;
  std::vector<std::function<void()>> handedOverCopy_;
  // Lets the main thread skip the lock on the (usual) empty frame without racing the writers.
  std::atomic<bool> hasHandedOver_{false};
  std::mutex handOverMutex_;
};

}  // namespace engine
