#pragma once
// Repeats an action while one key or button stays held (stepping through a list, moving a map).
// The view's controls start it on the press and end it on the release of the same input; a new
// press takes over from the one before. Repeats follow the frame time of the director's
// scheduler.
//
// While deactivated, controls never see the release of what is held, so controls that own a hold
// timer stop it when they are deactivated.

#include <cstdint>
#include <functional>

#include "platform/timed_task.h"

namespace kel {

class HoldTimer {
 public:
  using Action = std::function<void()>;
  static constexpr int32_t NOTHING_HELD = -1;

  HoldTimer() = default;
  HoldTimer(const HoldTimer&) = delete;
  HoldTimer& operator=(const HoldTimer&) = delete;

  // Input `input` (a key code or a button number, not negative) is now held: the action first
  // repeats after delay + interval seconds, then every interval. Refuses (false, nothing changed)
  // a negative input, an empty action or an interval that is not above 0.
  bool hold(int32_t input, Action action, float interval, float delay);
  // Ends the repeat when `input` is the held one; a release of anything else changes nothing.
  // True when the repeat ended.
  bool release(int32_t input);
  void stop();

  bool isHolding() const { return held_ != NOTHING_HELD; }
  int32_t getHeld() const { return held_; }
  // Repeats since the current input went down.
  uint64_t getRepeats() const { return task_.getCount(); }

 private:
  TimedTask task_;
  int32_t held_ = NOTHING_HELD;
};

}  // namespace kel
