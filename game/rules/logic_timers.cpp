#include "game/rules/logic_timers.h"

#include <utility>

void LogicTimers::add(uint32_t kind, uint32_t id, uint16_t period, std::function<void()> callback) {
  LogicTimer timer;
  timer.kind = kind;
  timer.id = id;
  timer.period = period;
  timer.countdown = period;
  timer.callback = std::move(callback);
  timers_.push_back(std::move(timer));
}

void LogicTimers::unpauseAll() {
  for (LogicTimer& timer : timers_) timer.paused = 0;
}

void LogicTimers::setOrdinaryPaused(bool paused) {
  for (LogicTimer& timer : timers_) {
    if (timer.kind == 0) timer.paused = paused ? 1 : 0;
  }
}

void LogicTimers::step() {
  // Index loop: a callback may restart the timers and rebuild the list.
  for (size_t i = 0; i < timers_.size(); ++i) {
    LogicTimer& timer = timers_[i];
    if (timer.paused || !timer.active) continue;
    if (--timer.countdown > 0) continue;
    timer.countdown = timer.period;
    std::function<void()> run = timer.callback;
    if (run) run();
  }
}
