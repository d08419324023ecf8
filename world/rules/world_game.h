#pragma once
// A game of one world and no players: block edits go straight to that world, every other action
// does nothing. Tests and tools register it as the current game so edits handed to the current
// game (liquid flow, the break cascade) reach their world end to end without the rules.

#include "world/rules/game.h"

class World;

class WorldGame final : public NullGame {
 public:
  explicit WorldGame(World& world) : world_(world) {}

  // True unless the world refused the edit.
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* extra) override;

 private:
  World& world_;
};
