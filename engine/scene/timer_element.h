#pragma once
// A target's timers on the scheduler: the ends of their chain of slots (in scheduling order), how
// many there are, and whether the target is paused. It keeps one byte that says the target has
// exactly one timer and is not paused, as most targets of a large scene have, so that the
// scheduler's pass can step that timer without walking the chain. The count and the pause change
// only through the functions below, which keep that byte true. Main thread only, as the
// scheduler.

#include <cstdint>

namespace engine {

class TimerElement {
 public:
  static constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

  explicit TimerElement(void* target) : target_(target) {}

  void* target() const { return target_; }
  uint32_t count() const { return count_; }
  bool paused() const { return paused_; }
  // Exactly one timer, and not paused.
  bool lone() const { return lone_; }

  void timerAdded() {
    ++count_;
    settle();
  }
  void timerRemoved() {
    --count_;
    settle();
  }
  void emptied() {
    first = last = kNoSlot;
    count_ = 0;
    settle();
  }
  void setPaused(bool paused) {
    paused_ = paused;
    settle();
  }

  // The chain's ends, linked and unlinked by the scheduler, which owns the slots.
  uint32_t first = kNoSlot;
  uint32_t last = kNoSlot;

 private:
  void settle() { lone_ = count_ == 1 && !paused_; }

  void* target_;
  uint32_t count_ = 0;
  bool paused_ = false;
  bool lone_ = false;
};

}  // namespace engine
