#include "game/player/game_clock.h"

engine::Seam<GameClock, GameClock>& gameClockSeam() {
  static engine::Seam<GameClock, GameClock> seam;
  return seam;
}

GameClock& gameClock() { return gameClockSeam().get(); }

void setGameClock(GameClock* clock) { gameClockSeam().set(clock); }
