#include "game/player/game_clock.h"

engine::Seam<GameClock, GameClock>& gameClockSeam() {
  static engine::Seam<GameClock, GameClock> seam;
  return seam;
}
