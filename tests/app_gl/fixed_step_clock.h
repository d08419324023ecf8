#pragma once
// The clock the director reads in the end-to-end runs: every reading is one frame step later than
// the last. The director reads its clock once a frame, so each frame moves the game by exactly one
// step however long the machine took to draw it: a body walks as far per frame on a busy machine
// as on an idle one, and a limit counted in frames is a limit in the game's time.
//
// The application keeps pacing the loop on the steady clock, so the game still runs at most at
// the frame rate and leaves the processor to the workers between frames.

#include <cstdint>

#include "engine/scene/frame_clock.h"

namespace apptest {

class FixedStepClock final : public engine::FrameClock {
 public:
  // One step of 1/60 s in whole microseconds, which the director's step is measured in, so that
  // every step is the same float.
  static constexpr int64_t kStepNanoseconds = 16667000;

  int64_t now() const override { return reading_ += kStepNanoseconds; }
  // The director never waits on its clock; the loop's own clock sleeps.
  void waitUntil(int64_t deadline) override {
    if (deadline > reading_) reading_ = deadline;
  }

 private:
  mutable int64_t reading_ = 0;
};

// Makes the director of the next run step on a fixed clock. The director holds it until it is
// purged at the end of the run.
void stepOnFixedClock();

}  // namespace apptest
