#pragma once
// What the player's world events ask of the game's clock task (the timed world-clock step): stop
// it, schedule it again with the day clock's interval, and whether the game sleeps (while it
// sleeps the clock runs every frame and is left alone). The game registers its implementation;
// the null form has no clock task and never sleeps.
//
// Main thread only.

#include "engine/base/seam.h"

class GameClock {
 public:
  virtual ~GameClock() = default;
  virtual bool sleeping() const { return false; }
  virtual void stopClockTask() {}
  // Replaces a scheduled task, so this also restarts it.
  virtual void scheduleClockTask() {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<GameClock, GameClock>& gameClockSeam();
GameClock& gameClock();
void setGameClock(GameClock* clock);
