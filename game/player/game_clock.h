#pragma once
// What a player's world events ask of the game's clock task (the timed world-clock step): stop it,
// schedule it again with the day clock's interval, and whether the game sleeps (while it sleeps
// the clock runs every frame and is left alone). A player is given its clock when it is made, as
// it is given its events sink, so two players in one world each reach their own game's clock; a
// player made without one gets the null form, which has no clock task and never sleeps.
//
// Main thread only.

class GameClock {
 public:
  virtual ~GameClock() = default;
  virtual bool sleeping() const = 0;
  virtual void stopClockTask() = 0;
  // Replaces a scheduled task, so this also restarts it.
  virtual void scheduleClockTask() = 0;
};

class NullGameClock final : public GameClock {
 public:
  bool sleeping() const override { return false; }
  void stopClockTask() override {}
  void scheduleClockTask() override {}
};
