#pragma once
// The entities of a session's running world, as its rules reach them (`RuleEntities`): the world's
// lists, the factories the rules call, the per-frame step (run by the game's frame task while the
// game runs) and clearing when the world ends. It also shows the fish of the world's aquarium
// shelves (`ShelfDisplays`). Each world owns its lists, made by this session's maker when the world
// gets the session's context; the session reaches those of its running world through it.
//
// Main thread only.

#include <memory>
#include <vector>

#include "entities/core/world_entities.h"
#include "game/combat/melee_swing.h"
#include "game/rules/rule_entities.h"
#include "world/seams/shelf_displays.h"

struct RunningWorld;

class SessionEntities final : public RuleEntities, public ShelfDisplays, public SwingTargets {
 public:
  static constexpr uint16_t kTextSecondCast = 160;
  static constexpr uint8_t kHitsMobsFlag = 1;
  static constexpr uint8_t kSparesPlayersFlag = 2;
  static constexpr uint8_t kPetLeaves = 21;
  static constexpr uint8_t kBobberFades = 6;
  static constexpr float kLiftStrength = 3.0f;
  static constexpr float kStraightUp = 1.5707964f;

  explicit SessionEntities(RunningWorld& running) : running_(running) {}

  // The running world's own lists; empty lists that serve no world while none runs.
  WorldEntities& lists() { return current(); }
  // What the session's context hands each of its worlds to make its lists; their bobbers ask
  // `owners` about their casters.
  EntityStoreMaker& maker() { return maker_; }
  void setFishingOwners(FishingOwners* owners) { maker_.setFishingOwners(owners); }

  // ---- EntityLists ----
  void clearAll() override;

  // ---- Creation ----
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) override;
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) override;
  // A shelf's display: a frozen copy of the shown item at the position (the shelf keeps the item).
  Entity* spawnTreasure(const Item& shown, engine::Vec2 position, engine::Vec2 motion, MapBlock* cell) override;

  // The held item's projectile (or bobber) at the aim's speed and direction; the thrower is the
  // player's id. A second cast while the player's bobber is out is refused (text 160).
  Entity* shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                          uint8_t flags) override;

  // ---- Motion and state ----
  void wake(Entity* entity) override;
  void setBobberState(BobberEntity* bobber, uint8_t state) override;
  void leap(Entity* entity, float strength, float angle) override;
  void push(Entity* entity, const EntityImpulse& impulse) override;
  void rest(Entity* entity) override;

  // ---- Cells ----
  void launchAtCell(MapBlock& cell, float strength, float angle) override;
  void burnAtCell(MapBlock& cell) override;
  // The cell lost its liquid: the bobbers in it end.
  void endFishingAtCell(MapBlock& cell) override;
  uint32_t entityCount() override { return current().count(); }
  void collectTreasuresOnCell(const MapBlock& cell, std::vector<Entity*>& out) override;
  void collectToys(std::vector<ToyEntity*>& out) override;
  MobEntity* mobMetByBullet(const Entity& bullet) override;
  BobberEntity* bobberOf(uint32_t playerId) override;

  // ---- Time ----
  void stepFrame(float seconds) override;

  // ---- Fruit and clothes ----
  Entity* spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) override;
  // The item's clothing at the position, for the worn slot its kind names; the item goes back to
  // the pool (the entity keeps only its id).
  Entity* spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) override;

  // ---- ShelfDisplays ----
  // A fish the catch table knows.
  bool isShowableFish(uint16_t itemId) override;
  Entity* showFish(const Item& item, MapBlock& cell, engine::Vec2 position) override;
  void markForRemoval(Entity* entity) override { current().markForRemoval(entity); }

  // ---- Mobs ----
  // A mob of the row's AI kind, counted in its group (the rules applied the creative limit).
  MobEntity* spawnMob(const MobDef* row, engine::Vec2 position, engine::Vec2 motion, uint8_t forced,
                      PlayerBase* owner, uint8_t group) override;
  Entity* shootMobBullet(MobEntity* mob, uint16_t row, float speed, float angle) override;
  void knockBack(MobEntity* mob, float strength, float angle, bool flag, const MapBlock* cell) override;
  void steer(MobEntity* mob, const MobMovement& movement) override;
  void collectSpawnCells(const MapBlock& around, std::vector<MapBlock*>& out, const SpawnRule& rule) override;
  void runSpawner() override;
  uint32_t dismissPets(uint32_t playerId) override;
  void petsFollowOwner(uint32_t playerId, MapBlock* left) override;
  // A block was placed on the cell: a pet there leaps out when the cell above is open, else it is
  // put on its owner's cell.
  void liftPetsFromCell(MapBlock& cell) override;
  void dismissBobbers(uint32_t playerId) override;

  // ---- SwingTargets: the mobs a melee swing of the session's player can hit ----
  SwingTargets* swingTargets() override { return this; }
  void collectMobs(std::vector<SwingTarget>& out) override;
  bool lineOfCellsClear(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) override;
  // The session's player hits the mob (`hitMobByPlayer`).
  void hit(uint32_t mobId) override;

  // ---- Waiting for later work; fish come through the shelves ----
  Entity* spawnFish(const FishCatch&, MapBlock&, Entity*) override { return nullptr; }
  void pushOutOfCell(MapBlock&) override {}



 private:
  // The running world's lists, or the idle ones.
  WorldEntities& current();
  // What a projectile row sends off towards the aim: the item it names, thrown, or the projectile.
  RealEntity* loose(int16_t row, const Item& held, uint32_t owner, engine::Vec2 position, engine::Vec2 aim,
                    uint16_t word, uint8_t flags);

  RunningWorld& running_;
  WorldEntitiesMaker maker_;
  WorldEntities idle_;
};
