#include "world/rules/world_game.h"

#include "world/world.h"

bool WorldGame::applyBlockEdit(const BlockEdit& edit, PlayerBase* extra) {
  return !world_.applyBlockEdit(edit, extra).wasRefused();
}
