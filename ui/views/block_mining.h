#pragma once
// Breaking a block by holding the button on it: the block gives way after a time that follows the
// held item's break power against it (a fitting tool is fast, a stronger one faster, bare hands
// slow), and is struck at the held item's pace meanwhile, so the player sees and hears it work.
// Pointing at another cell starts over; letting go forgets the work.
//
// Pure bookkeeping: the main view asks the rules, plays the strikes and sends the edits.

#include <cstdint>

class BlockMining {
 public:
  // Seconds a block takes at a break power of 1 (a fitting wooden tool).
  static constexpr float kSecondsAtPowerOne = 0.6f;

  // The seconds a block takes at the power; a power of 0 or less breaks nothing (negative).
  static float secondsFor(float power);

  // Starts on the cell; a duration of 0 or less marks a cell that cannot be broken.
  void start(int32_t x, int32_t y, float duration, float strikeEvery);
  void cancel();
  bool active() const { return active_; }
  bool targets(int32_t x, int32_t y) const { return active_ && x == x_ && y == y_; }
  // Whether the work can finish (the cell was found breakable when it started).
  bool breakable() const { return duration_ > 0; }

  struct Step {
    bool strike = false;  // the block is struck this step
    bool broken = false;  // the work is done: the block gives way
  };
  // Advances the work by dt seconds. The first step strikes at once.
  Step advance(float dt);
  // The share of the work done, 0 to 1.
  float progress() const;

 private:
  bool active_ = false;
  int32_t x_ = 0, y_ = 0;
  float duration_ = 0;
  float elapsed_ = 0;
  float strikeEvery_ = 0.25f;
  float untilStrike_ = 0;
};
