#include "world/rules/game.h"

#include "content/items/item_pool.h"

namespace {
GameInterface*& slot() {
  static GameInterface* game = nullptr;
  return game;
}
}  // namespace

// Nothing takes an item handed to no game, so it goes back to the pool rather than leak.
void NullGame::throwItem(Item* item, float, float, uint8_t) { freeItem(item); }

void NullGame::dropItem(Item*& item) {
  freeItem(item);
  item = nullptr;
}

GameInterface& currentGame() {
  static NullGame none;
  GameInterface* game = slot();
  return game != nullptr ? *game : none;
}

void setCurrentGame(GameInterface* game) { slot() = game; }
