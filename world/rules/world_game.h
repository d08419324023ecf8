#pragma once
// A game of one world and no players: block edits go straight to that world, every other action
// does nothing. Tests and tools bind it as their world's edit sink (`WorldContext::edits`) so the
// world's own follow-up edits (liquid flow, the break cascade) reach it end to end without the rules.

#include "world/rules/game.h"

class World;

class WorldGame final : public NullGame {
 public:
  explicit WorldGame(World& world) : world_(world) {}

  // True unless the world refused the edit.
  bool applyBlockEdit(const BlockEdit& edit, PlayerBase* actor) override;

 private:
  World& world_;
};
