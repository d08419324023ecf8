#pragma once
// Turns frame times into whole entity ticks. A tick takes 0.99 of a sixtieth of a second of game
// time (16.5 ms): a frame of 1/60 s runs one tick and leaves 0.01 of a tick over; a frame of
// 1/120 s runs a tick every second frame. The time not yet stepped is kept in whole nanoseconds,
// so a long session neither drifts nor loses ticks to float rounding.

#include <cstdint>

class TickAccumulator {
 public:
  static constexpr int64_t kTickNanoseconds = 16'500'000;
  // A frame longer than this (a stall, a debugger) steps no more than this many ticks.
  static constexpr uint32_t kMaxTicksPerFrame = 240;

  // Adds the frame's time and answers how many ticks to run now. A frame time that is negative or
  // not finite adds nothing.
  uint32_t addFrame(float seconds);
  // The game time not yet stepped, in sixtieths of a second.
  double remainderTicks() const { return static_cast<double>(pending_) * 60.0 / 1e9; }
  void reset() { pending_ = 0; }

 private:
  int64_t pending_ = 0;
};
