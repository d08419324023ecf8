#pragma once
// The players as the world's blasts, pressure plates and pistons see them: one body per player of
// the rules, found by its place in the rules' player order (never a pointer kept past a call). A
// blast pushes a player and hurts it, less its blast resistance, as damage kind 20; a plate counts
// players who stand on the ground; a piston pushes. The other bodies (debris, entities, mobs) are
// those of the running world's own entities, once it is followed; until then there are none.
//
// Main thread only.

#include <vector>

#include "world/seams/world_bodies.h"

class LogicPlayers;
class PlayerBase;
class PlayerRules;
struct RunningWorld;

class PlayerBodies final : public WorldBodies {
 public:
  static constexpr uint8_t kBlastDamageKind = 20;

  PlayerBodies(LogicPlayers& rules, PlayerRules& damage) : rules_(rules), damage_(damage) {}
  // The running world whose entities' bodies come after the players'; null: none.
  void followWorld(const RunningWorld* running) { running_ = running; }

  void collectAll(std::vector<Body>& out) override;
  void collectInCell(const MapBlock& cell, std::vector<Body>& out) override;
  void push(const Body& body, float strength, float angle) override;
  bool hurt(const Body& body, float amount) override;
  void spawnBlastDebris(const MapBlock& cell) override;
  void spawnNoteDebris(engine::Vec2 position) override;

 private:
  PlayerBase* playerAt(uint32_t id);
  WorldBodies* others() const;

  LogicPlayers& rules_;
  PlayerRules& damage_;
  const RunningWorld* running_ = nullptr;
};
