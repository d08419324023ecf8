#pragma once
// The running world and the local player: made by the world start and the player loader, owned
// here, borrowed by the game, the rules and the views, and deleted only by `endWorld`, which
// releases everything the world held: the entities (through the rules' `RuleEntities`, whose lists they are), the player
// with its inventory, and the world with its map and block entities.
//
// A game joined to a host plays a world that its endpoint built and owns, and a player that the
// joined game owns: while that game is entered they are held here without being owned
// (`borrow`), so that the views, the interface and the saves read the running world and player
// in one place whichever game plays them. Letting go of such a pair (`giveBack`, or `endWorld`)
// frees nothing; its owners end it.
//
// Main thread only.

#include <cstdint>
#include <memory>

#include "game/rules/entity_lists.h"

class Game;
class LocalLogic;
class PlayerDesktopLocal;
class StatsStore;
class World;

// Deletes what it holds unless it was only lent. Converts from the plain deleter, so an owned
// world or player is put here as before.
template <class T>
struct RunningHold {
  RunningHold() = default;
  RunningHold(std::default_delete<T>) {}  // NOLINT: implicit, as the plain deleter's stand-in
  void operator()(T* held) const;
  bool owned = true;
};

struct RunningWorld {
  RunningWorld();
  ~RunningWorld();
  std::unique_ptr<World, RunningHold<World>> world;
  std::unique_ptr<PlayerDesktopLocal, RunningHold<PlayerDesktopLocal>> player;

  // Holds another owner's world and player (null: none) as the running ones. The running world is
  // empty then: the game played alone has ended.
  void borrow(World& lent, PlayerDesktopLocal* lentPlayer);
  // Lets go of a borrowed world and player, when they are still the ones of that world serial
  // and player id; nothing otherwise.
  void giveBack(uint32_t worldSerial, uint32_t playerId);
  bool borrowed() const { return world != nullptr && !world.get_deleter().owned; }
};

// The process's running world. Read at the edges.
RunningWorld& runningWorld();

// Clears the entities and the unlocked flags of the game's statistics store (none: nothing to
// clear), deletes the local player and the world, and clears every borrowed pointer to them (the
// game's, the rules', the current world).
void endWorld(RunningWorld& running, Game& game, LocalLogic& rules, StatsStore* stats = nullptr);
