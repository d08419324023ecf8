#pragma once
// What the local rules ask of the entities of their world: every operation that creates, moves,
// settles or removes an entity, the questions only the entity lists can answer (which entities
// stand on a cell, which bobbers fish in it), the lists themselves (`EntityLists`: cleared when the
// world ends) and the per-frame step. The session registers its implementation with the rules it
// serves (`LocalLogic::setEntities`); until then the rules use the null form.
//
// Main thread only.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "game/rules/entity_lists.h"
#include "world/rules/logic.h"

class SwingTargets;
class ToyEntity;

class RuleEntities : public EntityLists {
 public:

  // ---- Creation (items passed in are owned by the new entity, or freed) ----
  virtual Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) = 0;
  virtual Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) = 0;
  virtual Entity* spawnTreasure(const Item& shown, engine::Vec2, engine::Vec2, MapBlock*) = 0;
  virtual Entity* spawnFruit(uint16_t, MapBlock&, uint8_t) = 0;
  virtual Entity* shootProjectile(Item*, PlayerBase*, engine::Vec2, engine::Vec2, uint8_t) = 0;
  virtual MobEntity* spawnMob(const MobDef*, engine::Vec2, engine::Vec2, uint8_t, PlayerBase*, uint8_t) = 0;
  virtual Entity* spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) = 0;
  virtual Entity* spawnFish(const FishCatch&, MapBlock&, Entity*) = 0;
  // A mob's shot: the bullet row from the mob's position, hitting players, thrown by nobody.
  virtual Entity* shootMobBullet(MobEntity*, uint16_t, float, float) = 0;

  // ---- Motion and state ----
  virtual void pushOutOfCell(MapBlock&) = 0;
  virtual void wake(Entity*) = 0;
  virtual void leap(Entity*, float, float) = 0;
  virtual void push(Entity*, const EntityImpulse&) = 0;
  virtual void knockBack(MobEntity*, float, float, bool, const MapBlock*) = 0;
  virtual void steer(MobEntity*, const MobMovement&) = 0;
  virtual void rest(Entity*) = 0;
  virtual void setBobberState(BobberEntity*, uint8_t) = 0;

  // ---- Cells ----
  // Every entity standing on the cell is pushed with the strength at the angle (radians).
  virtual void launchAtCell(MapBlock&, float, float) = 0;
  virtual void liftPetsFromCell(MapBlock&) = 0;
  virtual void endFishingAtCell(MapBlock&) = 0;
  // Lava arrived: what stands in the cell burns.
  virtual void burnAtCell(MapBlock&) = 0;
  // The spawn candidates around a player's cell (appended).
  virtual void collectSpawnCells(const MapBlock& around, std::vector<MapBlock*>& out, const SpawnRule& rule) = 0;
  // One pass of the world's mob spawner (every three seconds).
  virtual void runSpawner() = 0;
  // The player's pets leave (cell effect 21 where each stood); answers how many there were.
  virtual uint32_t dismissPets(uint32_t playerId) = 0;
  // The player's pets plan on from the cell it left to where it stands now.
  virtual void petsFollowOwner(uint32_t playerId, MapBlock* left) = 0;
  // The player's bobbers fade and end (a dead player fishes no more).
  virtual void dismissBobbers(uint32_t playerId) = 0;
  // How many entities the lists hold (the mob limit's count).
  virtual uint32_t entityCount() = 0;
  // The treasures lying on the cell that a player may take (not gone), appended to `out`.
  virtual void collectTreasuresOnCell(const MapBlock&, std::vector<Entity*>&) = 0;
  // The thrown toys in the world (not gone), appended to `out`.
  virtual void collectToys(std::vector<ToyEntity*>& out) = 0;
  // The player's bobber in the world, null when none.
  virtual BobberEntity* bobberOf(uint32_t playerId) = 0;
  // The first mob of the list, not a pet, whose box meets the projectile's square; null for none.
  virtual MobEntity* mobMetByBullet(const Entity& bullet) = 0;

  // ---- Time ----
  // Once per frame while the game runs: the frame's whole entity ticks.
  virtual void stepFrame(float seconds) = 0;

  // ---- The local player's melee swing ----
  // The mobs the swing can hit, when these entities find them; null: a swing hits nothing.
  virtual SwingTargets* swingTargets() { return nullptr; }
};

// Creates nothing; every item handed over goes back to the pool, so none leaks while entities are
// absent.
class NullRuleEntities : public RuleEntities {
 public:
  Entity* spawnItemEntity(ItemPtr, engine::Vec2, float, float, uint8_t) override { return nullptr; }
  Entity* spawnItemDrop(ItemPtr, engine::Vec2, uint8_t) override { return nullptr; }
  Entity* spawnTreasure(const Item&, engine::Vec2, engine::Vec2, MapBlock*) override { return nullptr; }
  Entity* spawnFruit(uint16_t, MapBlock&, uint8_t) override { return nullptr; }
  Entity* shootProjectile(Item* item, PlayerBase*, engine::Vec2, engine::Vec2, uint8_t) override;
  MobEntity* spawnMob(const MobDef*, engine::Vec2, engine::Vec2, uint8_t, PlayerBase*, uint8_t) override { return nullptr; }
  Entity* spawnDress(ItemPtr, engine::Vec2, engine::Vec2) override { return nullptr; }
  Entity* spawnFish(const FishCatch&, MapBlock&, Entity*) override { return nullptr; }
  Entity* shootMobBullet(MobEntity*, uint16_t, float, float) override { return nullptr; }
  void pushOutOfCell(MapBlock&) override {}
  void wake(Entity*) override {}
  void leap(Entity*, float, float) override {}
  void push(Entity*, const EntityImpulse&) override {}
  void knockBack(MobEntity*, float, float, bool, const MapBlock*) override {}
  void steer(MobEntity*, const MobMovement&) override {}
  void rest(Entity*) override {}
  void setBobberState(BobberEntity*, uint8_t) override {}
  void launchAtCell(MapBlock&, float, float) override {}
  void liftPetsFromCell(MapBlock&) override {}
  void endFishingAtCell(MapBlock&) override {}
  void burnAtCell(MapBlock&) override {}
  void collectSpawnCells(const MapBlock&, std::vector<MapBlock*>&, const SpawnRule&) override {}
  void runSpawner() override {}
  uint32_t dismissPets(uint32_t) override { return 0; }
  void petsFollowOwner(uint32_t, MapBlock*) override {}
  void dismissBobbers(uint32_t) override {}
  uint32_t entityCount() override { return 0; }
  void collectTreasuresOnCell(const MapBlock&, std::vector<Entity*>&) override {}
  void collectToys(std::vector<ToyEntity*>&) override {}
  MobEntity* mobMetByBullet(const Entity&) override { return nullptr; }
  BobberEntity* bobberOf(uint32_t) override { return nullptr; }
  void stepFrame(float) override {}
};

