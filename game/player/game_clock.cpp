#include "game/player/game_clock.h"

namespace {
GameClock*& slot() {
  static GameClock* clock = nullptr;
  return clock;
}
}  // namespace

GameClock& gameClock() {
  static GameClock none;
  GameClock* clock = slot();
  return clock != nullptr ? *clock : none;
}

void setGameClock(GameClock* clock) { slot() = clock; }
