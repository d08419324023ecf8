#include "game/session/game_screen.h"

engine::Seam<GameScreen, NullGameScreen>& gameScreenSeam() {
  static engine::Seam<GameScreen, NullGameScreen> seam;
  return seam;
}

GameScreen& gameScreen() { return gameScreenSeam().get(); }

void setGameScreen(GameScreen* screen) { gameScreenSeam().set(screen); }
