#include "engine/scene/scheduler.h"

#include <utility>

#include "engine/scene/node.h"

namespace engine {

namespace {
constexpr size_t HAND_OVER_RESERVE = 30;
}

Scheduler::Scheduler() {
  handedOver_.reserve(HAND_OVER_RESERVE);
  handedOverCopy_.reserve(HAND_OVER_RESERVE);
}

Scheduler::~Scheduler() = default;

TimerElement* Scheduler::findElement(void* target) {
  auto it = places_.find(target);
  return it == places_.end() ? nullptr : &elements_[it->second];
}

const TimerElement* Scheduler::findElement(void* target) const {
  auto it = places_.find(target);
  return it == places_.end() ? nullptr : &elements_[it->second];
}

uint32_t Scheduler::findTimer(const TimerElement& element, int key) const {
  for (uint32_t slot = element.first; slot != kNoSlot; slot = slots_[slot].next) {
    if (slots_[slot].timer.getKey() == key) return slot;
  }
  return kNoSlot;
}

uint32_t Scheduler::takeSlot(SchedulerCallback callback, const TimerClock& clock,
                             const Timer& timer) {
  if (freeSlots_.empty()) {
    clocks_.push_back(clock);
    slots_.push_back({timer, kNoSlot, kNoSlot});
    callbacks_.append(std::move(callback));
    return static_cast<uint32_t>(slots_.size() - 1);
  }
  const uint32_t slot = freeSlots_.back();
  freeSlots_.pop_back();
  clocks_[slot] = clock;
  slots_[slot] = {timer, kNoSlot, kNoSlot};
  callbacks_[slot] = std::move(callback);
  return slot;
}

void Scheduler::freeSlot(uint32_t slot) {
  callbacks_[slot] = nullptr;  // what the callback holds goes with its timer
  freeSlots_.push_back(slot);
}

void Scheduler::detachTimer(TimerElement& element, uint32_t slot) {
  const TimerSlot& gone = slots_[slot];
  (gone.previous == kNoSlot ? element.first : slots_[gone.previous].next) = gone.next;
  (gone.next == kNoSlot ? element.last : slots_[gone.next].previous) = gone.previous;
  // The walk goes on past a timer removed where it was to go next.
  if (slot == resumeSlot_) resumeSlot_ = gone.next;
  element.timerRemoved();
}

void Scheduler::unlinkTimer(TimerElement& element, uint32_t slot) {
  detachTimer(element, slot);
  freeSlot(slot);
}

void Scheduler::clearTimers(TimerElement& element, uint32_t kept) {
  for (uint32_t slot = element.first; slot != kNoSlot;) {
    const uint32_t next = slots_[slot].next;
    if (slot != kept) freeSlot(slot);
    slot = next;
  }
  element.emptied();
}

void Scheduler::dropElement(TimerElement* element) {
  if (updatePassRunning_) {
    clearTimers(*element, kNoSlot);
    emptiedTargets_.push_back(element->target());
  } else {
    eraseElement(element);
  }
}

void Scheduler::eraseElement(TimerElement* element) {
  clearTimers(*element, kNoSlot);
  void* target = element->target();  // the key outlives the element the erase overwrites
  const auto place = static_cast<size_t>(element - elements_.data());
  if (place + 1 != elements_.size()) {
    *element = elements_.back();
    places_[element->target()] = place;
  }
  elements_.pop_back();
  places_.erase(target);
}

void Scheduler::schedule(SchedulerCallback callback, void* target, float interval,
                         uint32_t repeat, float delay, int key) {
  TimerElement* element = findElement(target);
  if (element != nullptr && element->count() == 0) {
    element->setPaused(false);  // an emptied element awaiting erasure comes back as a new one
  } else if (element == nullptr) {
    places_.emplace(target, elements_.size());
    element = &elements_.emplace_back(target);
  }
  if (const uint32_t found = findTimer(*element, key); found != kNoSlot) {
    retime(found, interval, delay);
    return;
  }
  const uint32_t slot = takeSlot(std::move(callback), TimerClock(interval, repeat, delay),
                                 Timer(repeat, delay, key));
  slots_[slot].previous = element->last;
  (element->last == kNoSlot ? element->first : slots_[element->last].next) = slot;
  element->last = slot;
  element->timerAdded();
  // Timers added behind the running one are walked in this pass, as they are behind any other.
  if (currentTimerRemoved_ && target == currentTarget_ && resumeSlot_ == kNoSlot) resumeSlot_ = slot;
}

// The timer takes the new interval; a once-timer, still waiting for its one run, also takes the
// new delay, counted from now (its first pass starts it again, as a new timer's does).
void Scheduler::retime(uint32_t slot, float interval, float delay) {
  TimerClock& clock = clocks_[slot];
  Timer& timer = slots_[slot].timer;
  if (clock.runForever || !timer.runsOnce()) {
    clock.interval = interval;
    return;
  }
  clock = TimerClock(interval, 0, delay);
  timer = Timer(0, delay, timer.getKey());
}

void Scheduler::unschedule(int key, void* target) {
  if (target == nullptr) return;
  TimerElement* element = findElement(target);
  if (element == nullptr) return;
  const uint32_t found = findTimer(*element, key);
  if (found != kNoSlot && found == currentSlot_) {
    // The running timer leaves the chain now, so that its key is free for a new timer; its place
    // (and the callback running from it) is freed once the callback returns.
    resumeSlot_ = slots_[found].next;
    currentTimerRemoved_ = true;
    detachTimer(*element, found);
  } else if (found != kNoSlot) {
    unlinkTimer(*element, found);
  }
  if (element->count() == 0 && !(updatePassRunning_ && target == currentTarget_)) {
    dropElement(element);
  }
}

void Scheduler::schedulePerFrame(SchedulerCallback callback, void* target, bool paused) {
  auto found = perFrameIndex_.find(target);
  if (found != perFrameIndex_.end()) {
    found->second->markedForDeletion = false;
    found->second->paused = paused;
    return;
  }
  perFrameList_.push_back(PerFrameEntry{std::move(callback), target, paused, false});
  perFrameIndex_.emplace(target, std::prev(perFrameList_.end()));
}

void Scheduler::scheduleUpdate(Node* node, bool paused) {
  schedulePerFrame([node](float dt) { node->update(dt); }, node, paused);
}

void Scheduler::removePerFrameEntry(PerFrameList::iterator entry) {
  perFrameIndex_.erase(entry->target);
  perFrameList_.erase(entry);
}

void Scheduler::unscheduleUpdate(void* target) {
  if (target == nullptr) return;
  auto found = perFrameIndex_.find(target);
  if (found == perFrameIndex_.end()) return;
  if (updatePassRunning_) {
    found->second->markedForDeletion = true;
  } else {
    removePerFrameEntry(found->second);
  }
}

void Scheduler::unscheduleAllForTarget(void* target) {
  if (target == nullptr) return;
  if (TimerElement* element = findElement(target)) {
    if (updatePassRunning_ && target == currentTarget_) {
      // Only the timers there now go; the walk stops at the running one, whose place is freed
      // once its callback returns. Timers the callback schedules after this stay.
      clearTimers(*element, currentSlot_);
      currentTargetRemoved_ = true;
    } else {
      dropElement(element);
    }
  }
  unscheduleUpdate(target);
}

void Scheduler::unscheduleAll() {
  std::vector<void*> targets;
  targets.reserve(elements_.size() + perFrameIndex_.size());
  for (const TimerElement& element : elements_) targets.push_back(element.target());
  for (const auto& [target, entry] : perFrameIndex_) targets.push_back(target);
  for (void* target : targets) unscheduleAllForTarget(target);
}

void Scheduler::setTargetPaused(void* target, bool paused) {
  if (TimerElement* element = findElement(target)) element->setPaused(paused);
  auto found = perFrameIndex_.find(target);
  if (found != perFrameIndex_.end()) found->second->paused = paused;
}

void Scheduler::performFunctionInMainThread(std::function<void()> function) {
  std::lock_guard<std::mutex> lock(handOverMutex_);
  handedOver_.push_back(std::move(function));
  hasHandedOver_.store(true, std::memory_order_release);
}

bool Scheduler::isScheduled(int key, void* target) const {
  const TimerElement* element = findElement(target);
  return element != nullptr && findTimer(*element, key) != kNoSlot;
}

size_t Scheduler::getTimerCount(void* target) const {
  const TimerElement* element = findElement(target);
  return element == nullptr ? 0 : element->count();
}

void Scheduler::update(float dt) {
  updatePassRunning_ = true;
  if (timeScale_ != 1.0f) dt *= timeScale_;

  runPerFramePass(dt);
  runTimerPass(dt);
  removeMarkedPerFrame();

  updatePassRunning_ = false;
  currentTimerRemoved_ = false;
  currentTarget_ = nullptr;
  currentTargetRemoved_ = false;

  runHandedOverFunctions();
}

void Scheduler::runPerFramePass(float dt) {
  // Entries are only marked during the pass, never erased, so the iterator stays valid, and
  // entries appended by a callback are reached in this same walk.
  for (auto it = perFrameList_.begin(); it != perFrameList_.end(); ++it) {
    if (!it->paused && !it->markedForDeletion) it->callback(dt);
  }
}

inline void Scheduler::runCallback(uint32_t slot, float elapsed) {
  currentSlot_ = slot;
  // An empty callback still counts its runs and finishes as usual.
  if (const SchedulerCallback& callback = callbacks_[slot]) callback(elapsed);
  currentSlot_ = kNoSlot;
}

// The lone quiet timer at `place` is due: it fires as the walk would fire it, and the walk takes
// over after its callback only if that changed the target's timers. Inlined into the pass: a
// large scene fires many such timers every frame, and their callbacks seldom touch the timers.
[[gnu::always_inline]] inline void Scheduler::fireLone(size_t place, float dt) {
  const uint32_t slot = elements_[place].first;
  enterTarget(place);
  runCallback(slot, clocks_[slot].fire(dt));
  if (currentTargetRemoved_ || currentTimerRemoved_ || elements_[place].count() != 1) {
    walkAfterLone(place, slot, dt);
  }
}

// Out of line: the firing of a lone timer stays short where its callback changes nothing.
[[gnu::noinline]] void Scheduler::walkAfterLone(size_t place, uint32_t slot, float dt) {
  walkTimers(place, afterRun(slot, {true, false, 0.0f}), dt);
  noteIfEmptied(place);
}

void Scheduler::runTimerPass(float dt) {
  // Callbacks may add elements (appended) and empty others, which are only erased after the
  // pass, so the array only grows meanwhile. Elements added by this pass wait for the next one.
  // Most targets of a large scene have one quiet timer that is not due this frame: it only counts
  // the time, and no callback runs meanwhile to change anything, so it is stepped here, without
  // the walk, from the arrays held in place (read again after anything that runs a callback).
  const size_t count = elements_.size();
  const TimerElement* elements = elements_.data();
  const TimerElement* end = elements + count;
  TimerClock* clocks = clocks_.data();
  for (const TimerElement* element = elements; element != end; ++element) {
    const bool loneQuiet = element->lone() && clocks[element->first].quiet;
    if (loneQuiet && clocks[element->first].countUnlessDue(dt)) continue;
    const auto place = static_cast<size_t>(element - elements);
    if (loneQuiet) {
      fireLone(place, dt);
    } else {
      stepElement(place, dt);
    }
    elements = elements_.data();
    end = elements + count;
    element = elements + place;
    clocks = clocks_.data();
  }
  sweepEmptiedElements();
}

void Scheduler::stepElement(size_t place, float dt) {
  if (elements_[place].count() != 0) {
    enterTarget(place);
    if (!elements_[place].paused()) walkTimers(place, elements_[place].first, dt);
  }
  noteIfEmptied(place);
}

void Scheduler::enterTarget(size_t place) {
  currentTarget_ = elements_[place].target();
  currentTargetRemoved_ = false;
}

void Scheduler::noteIfEmptied(size_t place) {
  if (elements_[place].count() == 0) emptiedTargets_.push_back(elements_[place].target());
}

void Scheduler::sweepEmptiedElements() {
  for (void* target : emptiedTargets_) {
    TimerElement* element = findElement(target);
    if (element != nullptr && element->count() == 0) eraseElement(element);
  }
  emptiedTargets_.clear();
}

// A callback may schedule and unschedule anything, which may move the slots and the elements:
// both are read again by place after it returns.
void Scheduler::walkTimers(size_t place, uint32_t slot, float dt) {
  while (slot != kNoSlot) {
    const Timer::Step step = slots_[slot].timer.advance(clocks_[slot], dt);
    if (step.finished) leaveBeforeLastRun(place, slot);
    if (step.fires) runCallback(slot, step.elapsed);
    slot = afterRun(slot, step);
  }
}

// A timer on its last run leaves the chain before its callback runs, as one its callback
// unschedules does: from then on its key is free, so the callback may schedule it again.
void Scheduler::leaveBeforeLastRun(size_t place, uint32_t slot) {
  resumeSlot_ = slots_[slot].next;
  currentTimerRemoved_ = true;
  detachTimer(elements_[place], slot);
}

// Settles the timer at `slot` after its step (and callback, if it fired) and gives the next slot
// of the walk, kNoSlot where the walk ends. A timer out of the chain (on its last run, or
// unscheduled by its callback) is freed now that its callback has returned.
uint32_t Scheduler::afterRun(uint32_t slot, const Timer::Step& step) {
  const bool unscheduled = std::exchange(currentTimerRemoved_, false);
  const uint32_t resume = std::exchange(resumeSlot_, kNoSlot);
  if (currentTargetRemoved_) {
    // Cleared from its own callback (or unscheduled, then out of the chain), kept until it returned.
    if (step.fires) freeSlot(slot);
    return kNoSlot;
  }
  if (unscheduled) {
    freeSlot(slot);  // already out of the chain
    return resume;
  }
  return slots_[slot].next;
}

void Scheduler::removeMarkedPerFrame() {
  for (auto it = perFrameList_.begin(); it != perFrameList_.end();) {
    auto next = std::next(it);
    if (it->markedForDeletion) removePerFrameEntry(it);
    it = next;
  }
}

void Scheduler::runHandedOverFunctions() {
  if (!hasHandedOver_.load(std::memory_order_acquire)) return;
  handedOverCopy_.clear();
  {
    std::lock_guard<std::mutex> lock(handOverMutex_);
    handedOverCopy_.swap(handedOver_);
    hasHandedOver_.store(false, std::memory_order_release);
  }
  // Run outside the lock: a function may hand over another, which then waits for the next frame.
  for (auto& function : handedOverCopy_) function();
  handedOverCopy_.clear();
}

}  // namespace engine
