#include "world/rules/game.h"

engine::Seam<GameInterface, NullGame>& currentGameSeam() {
  static engine::Seam<GameInterface, NullGame> seam;
  return seam;
}

GameInterface& currentGame() { return currentGameSeam().get(); }

void setCurrentGame(GameInterface* game) { currentGameSeam().set(game); }
