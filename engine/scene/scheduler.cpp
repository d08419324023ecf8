#include "engine/scene/scheduler.h"

#include <utility>

#include "engine/scene/node.h"
#include "engine/scene/walk_order.h"

namespace engine {

namespace {
constexpr size_t HAND_OVER_RESERVE = 30;
}

Scheduler::Scheduler() {
  handedOver_.reserve(HAND_OVER_RESERVE);
  handedOverCopy_.reserve(HAND_OVER_RESERVE);
}

Scheduler::~Scheduler() = default;

Scheduler::TimerElement* Scheduler::findElement(void* target) const {
  auto it = timerTable_.find(target);
  return it == timerTable_.end() ? nullptr : it->second.get();
}

void Scheduler::dropElement(TimerElement* element) {
  if (updatePassRunning_) {
    element->timers.clear();
    emptiedTargets_.push_back(element->target);
  } else {
    eraseElement(element);
  }
}

void Scheduler::eraseElement(TimerElement* element) {
  void* target = element->target;  // the key outlives the element the erase destroys
  removeFromWalkOrder(timerOrder_, element);
  timerTable_.erase(target);
}

void Scheduler::schedule(SchedulerCallback callback, void* target, float interval,
                         uint32_t repeat, float delay, int key) {
  TimerElement* element = findElement(target);
  if (element != nullptr && element->timers.empty()) {
    element->paused = false;  // an emptied element awaiting erasure comes back as a new one
  } else if (element == nullptr) {
    auto created = std::make_unique<TimerElement>();
    created->target = target;
    element = created.get();
    appendToWalkOrder(timerOrder_, element);
    timerTable_.emplace(target, std::move(created));
  }
  for (Timer& timer : element->timers) {
    if (timer.getKey() == key) {
      timer.setInterval(interval);
      return;
    }
  }
  element->timers.emplace_back(std::move(callback), target, interval, repeat, delay, key);
}

void Scheduler::unschedule(int key, void* target) {
  if (target == nullptr) return;
  TimerElement* element = findElement(target);
  if (element == nullptr) return;
  if (updatePassRunning_ && target == currentTarget_ && key == currentTimerKey_) {
    currentTimerRemoved_ = true;  // the walk removes it once its callback returns
    return;
  }
  for (auto it = element->timers.begin(); it != element->timers.end(); ++it) {
    if (it->getKey() == key) {
      element->timers.erase(it);
      break;
    }
  }
  if (element->timers.empty() && !(updatePassRunning_ && target == currentTarget_)) {
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
      // Only the timers there now go; the walk stops at the running one, which stays alive in
      // the cleared list until its callback returns.
      clearedTimers_.splice(clearedTimers_.end(), element->timers);
      currentTargetRemoved_ = true;
      currentTimerKey_ = -1;
    } else {
      dropElement(element);
    }
  }
  unscheduleUpdate(target);
}

void Scheduler::unscheduleAll() {
  std::vector<void*> targets;
  targets.reserve(timerTable_.size() + perFrameIndex_.size());
  for (const auto& [target, element] : timerTable_) targets.push_back(target);
  for (const auto& [target, entry] : perFrameIndex_) targets.push_back(target);
  for (void* target : targets) unscheduleAllForTarget(target);
}

void Scheduler::setTargetPaused(void* target, bool paused) {
  if (TimerElement* element = findElement(target)) element->paused = paused;
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
  if (element == nullptr) return false;
  for (const Timer& timer : element->timers) {
    if (timer.getKey() == key) return true;
  }
  return false;
}

size_t Scheduler::getTimerCount(void* target) const {
  const TimerElement* element = findElement(target);
  return element == nullptr ? 0 : element->timers.size();
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
  currentTimerKey_ = -1;

  runHandedOverFunctions();
}

void Scheduler::runPerFramePass(float dt) {
  // Entries are only marked during the pass, never erased, so the iterator stays valid, and
  // entries appended by a callback are reached in this same walk.
  for (auto it = perFrameList_.begin(); it != perFrameList_.end(); ++it) {
    if (!it->paused && !it->markedForDeletion) it->callback(dt);
  }
}

void Scheduler::runTimerPass(float dt) {
  // Callbacks may add elements (appended to timerOrder_ and the table; the elements themselves
  // stay put) and empty others, which are only erased after the pass, so timerOrder_ only grows
  // meanwhile. Elements added by this pass wait for the next one.
  const size_t count = timerOrder_.size();
  for (size_t i = 0; i < count; ++i) {
    prefetchAhead(i, count);
    TimerElement* element = timerOrder_[i];
    if (!element->timers.empty()) {
      currentTarget_ = element->target;
      currentTargetRemoved_ = false;
      if (!element->paused) walkTimers(*element, dt);
      clearedTimers_.clear();
    }
    if (element->timers.empty()) emptiedTargets_.push_back(element->target);
  }
  sweepEmptiedElements();
}

// A large scene's elements and timers do not stay in the cache between frames: asking for an
// element and, a little later, for its first timer a few places ahead overlaps their misses.
// Always inlined: GCC takes a function whose only effect is a prefetch for one with no effect
// at all, and deletes the calls to it.
[[gnu::always_inline]] inline void Scheduler::prefetchAhead(size_t index, size_t count) const {
  constexpr size_t kElementDistance = 8;
  constexpr size_t kTimerDistance = 4;
  if (index + kElementDistance < count) __builtin_prefetch(timerOrder_[index + kElementDistance]);
  if (index + kTimerDistance < count) {
    const std::list<Timer>& timers = timerOrder_[index + kTimerDistance]->timers;
    if (!timers.empty()) __builtin_prefetch(&timers.front());
  }
}

void Scheduler::sweepEmptiedElements() {
  for (void* target : emptiedTargets_) {
    auto it = timerTable_.find(target);
    if (it != timerTable_.end() && it->second->timers.empty()) eraseElement(it->second.get());
  }
  emptiedTargets_.clear();
}

void Scheduler::walkTimers(TimerElement& element, float dt) {
  auto it = element.timers.begin();
  while (it != element.timers.end()) {
    currentTimerKey_ = it->getKey();
    currentTimerRemoved_ = false;
    const bool finished = it->update(dt);
    if (currentTargetRemoved_) return;
    if (finished || currentTimerRemoved_) {
      it = element.timers.erase(it);
    } else {
      ++it;
    }
  }
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
