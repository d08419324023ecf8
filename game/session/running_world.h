#pragma once
// The running world and the local player: made by the world start and the player loader, owned
// here, borrowed by the game, the rules and the views, and deleted only by `endWorld`, which
// releases everything the world held: the entities (through the rules' `RuleEntities`, whose lists they are), the player
// with its inventory, and the world with its map and block entities.
//
// Main thread only.

#include <memory>

#include "game/rules/entity_lists.h"

class Game;
class LocalLogic;
class PlayerDesktopLocal;
class World;

struct RunningWorld {
  RunningWorld();
  ~RunningWorld();
  std::unique_ptr<World> world;
  std::unique_ptr<PlayerDesktopLocal> player;
};

// The process's running world. Read at the edges.
RunningWorld& runningWorld();

// Clears the entities and the achievements' unlocked flags, deletes the local player and the world,
// and clears every borrowed pointer to them (the game's, the rules', the current world).
void endWorld(RunningWorld& running, Game& game, LocalLogic& rules);
