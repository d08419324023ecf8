#pragma once
// The rules' periodic tasks: a list of records counted down once a second by one scheduler task.
// A record of kind 0 waits while the game is paused; kind 1 keeps counting (the forges). The
// list is rebuilt by every start of the game's timers; countdowns continue where they stopped
// across a pause.

#include <cstdint>
#include <functional>
#include <vector>

struct LogicTimer {
  uint32_t kind = 0;
  uint32_t id = 0;
  uint16_t period = 1;
  uint16_t countdown = 1;
  std::function<void()> callback;
  uint8_t paused = 1;
  uint8_t active = 1;
};

class LogicTimers {
 public:
  void clear() { timers_.clear(); }
  void add(uint32_t kind, uint32_t id, uint16_t period, std::function<void()> callback);
  // Every record may count from now on.
  void unpauseAll();
  // Records of kind 0 wait (a paused game), or count again.
  void setOrdinaryPaused(bool paused);
  // One second: each counting record steps down; at 0 its callback runs and it starts again.
  void step();
  const std::vector<LogicTimer>& records() const { return timers_; }

 private:
  std::vector<LogicTimer> timers_;
};
