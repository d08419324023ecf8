#include "world/rules/world_game.h"

#include "world/world.h"

bool WorldGame::applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) {
  return !world_.applyBlockEdit(edit, actor).wasRefused();
}
