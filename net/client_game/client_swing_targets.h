#pragma once
// What the views' rules find of the entities while a joined game is current. The client's rules
// make and keep no entities (the host's do, and send them), so every making operation is the
// null form's; but the swing the main view runs still finds the mobs of the world as the client
// has it, and each mob it hits becomes the game's hit request to the host.
//
// Main thread only.

#include "game/combat/melee_swing.h"
#include "game/rules/rule_entities.h"

class GameRemoteClient;
class WorldEntities;

class ClientSwingTargets final : public NullRuleEntities, public SwingTargets {
 public:
  // `game` is borrowed and outlives the targets; its player swings.
  explicit ClientSwingTargets(GameRemoteClient& game) : game_(game) {}

  // The lists of the host's world as the client has it (not owned; null: none).
  void setEntities(WorldEntities* lists) { lists_ = lists; }

  SwingTargets* swingTargets() override { return this; }
  void collectMobs(std::vector<SwingTarget>& out) override;
  bool lineOfCellsClear(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) override;
  void hit(uint32_t mobId) override;

 private:
  GameRemoteClient& game_;
  WorldEntities* lists_ = nullptr;
};
