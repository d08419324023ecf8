#pragma once
// A mob that belongs to a player and follows it: it plans a path of cell steps to its owner with
// the world's path finder and carries out each step as an impulse; a stale path (eight leaps
// without reaching the next step, or a step that left it somewhere unexpected) is planned again.
// Too far behind (more than 20 cells), in liquid, or with no path to an owner standing on the
// ground, it is put on its owner's cell. On the owner's cell it hops about idly.
//
// The owner is held by its player id and resolved through the rules each time; a peer's pet has
// none and only mirrors the host.
//
// Main thread only.

#include <vector>

#include "entities/mobs/mob_jumper_entity.h"
#include "world/entities/cell_path_finder.h"
#include "world/rules/logic.h"

class MobPetEntity : public MobJumperEntity {
 public:
  static bool holdsKind(EntityKind kind) { return kind == EntityKind::Pet; }
  static constexpr uint8_t kArriveEffect = 20;
  static constexpr int32_t kFarCells = 20;
  static constexpr uint8_t kMostTries = 8;

  MobPetEntity(World& world, const MobDef& row, uint32_t ownerId, engine::Vec2 position);
  MobPetEntity(World& world, const MobDef& row, const EntityData& physics);

  uint32_t ownerId() const override { return ownerId_; }
  void forgetOwner(uint32_t playerId) override;

  void onStop() override;
  void think() override;
  void leap(float strength, float angle) override;
  void knockBack(float strength, float angle, bool flag, const MapBlock* cell) override;
  void enterLeftCell() override;
  void enterRightCell() override;
  void enterUpperCell() override;
  void enterLowerCell() override;
  void hitLeftWall() override;
  void hitRightWall() override;
  void hitFloor() override;
  void hitCeiling() override;

  // Plans from the pet's cell to the owner's (`previous`: the cell the owner just left, to extend
  // the path instead of planning anew).
  void planPathToOwner(const Logic::PlayerSpot& owner, MapBlock* previous);
  // The owner entered another cell, leaving `left`: when it is on a floor and out of liquid, the
  // pet plans on from there.
  void ownerMoved(const Logic::PlayerSpot& owner, MapBlock* left);
  void teleportToCell(MapBlock& cell);

  const std::vector<PathStep>& path() const { return path_; }
  bool passThrough = false;
  uint8_t tries = 0;
  const MapBlock* dropCell = nullptr;
  const MapBlock* lastLeapCell = nullptr;

 private:
  void stepImpulse(float strength, float degrees, bool through, const MapBlock* drop = nullptr);
  void hopSide(bool right);
  void takeStep(uint8_t kind);
  void idleHop();
  bool standsOnGround(const Logic::PlayerSpot& owner) const;
  // The cell holds no liquid and the cell under it is something to stand on.
  bool onDryFloor(const MapBlock* cell) const;

  uint32_t ownerId_ = 0;
  std::vector<PathStep> path_;
};
