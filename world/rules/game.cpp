#include "world/rules/game.h"

#include "content/items/item_pool.h"

// Nothing takes an item handed to no game, so it goes back to the pool rather than leak.
void NullGame::throwItem(Item* item, float /*speed*/, float /*angle*/, uint8_t /*flags*/) { freeItem(item); }

void NullGame::dropItem(Item*& item) {
  freeItem(item);
  item = nullptr;
}

engine::Seam<GameInterface, NullGame>& currentGameSeam() {
  static engine::Seam<GameInterface, NullGame> seam;
  return seam;
}

GameInterface& currentGame() { return currentGameSeam().get(); }

void setCurrentGame(GameInterface* game) { currentGameSeam().set(game); }
