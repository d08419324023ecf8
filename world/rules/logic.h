#pragma once
// The rules of the running game, as the world model sees them. Every action, entity and block
// entity reaches the world through one operation of the current `Logic`: the rules validate it,
// apply it to the `World` and, on a host, repeat it to the peers. The interface is declared here,
// below the rules, so the world can call up into them; the game library implements it
// (`LocalLogic`, `NetLogic`). `NullLogic` stands in until then and in tests: it creates nothing,
// finds no player and refuses every edit.
//
// The rules are split by role (players, cells and block entities, damage, entities, mobs, host
// reports); `Logic` is the whole.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "content/items/item_ptr.h"
#include "engine/base/geometry.h"
#include "engine/base/seam.h"

class BobberEntity;
class Entity;
class Item;
class LogicBlock;
class MapBlock;
class MobEntity;
class MobPetEntity;
class PlayerBase;
struct BlockEdit;
struct EntityImpulse;  // the 12-byte impulse record: f32 strength, f32 angle, u8 reset
struct FishCatch;
struct MobDef;
struct MobMovement;  // the walking mob's 12-byte movement record
struct SpawnRule;

// Who on a host sees an effect a player caused. A client that asked for the effect shows it
// already: `AllButActor` leaves that client out (everyone sees it when the host's own player or no
// player caused it). `Everyone` is for what the rules start themselves, the actor's client included.
enum class EffectAudience : uint8_t { AllButActor, Everyone };

// ---- The rules by role ----
// Each caller depends on the role it uses; `Logic` is the whole, for the world's context and the
// code written against it.

// The players: finding and visiting them, what they see and hear at a cell, their flags, places,
// beds and portals, and the ids the world keeps them by.
class LogicPlayers {
 public:
  using PlayerVisitor = std::function<void(PlayerBase*)>;
  using PlayerTest = std::function<bool(PlayerBase*)>;

  virtual ~LogicPlayers() = default;
  virtual void forEachPlayer(const PlayerVisitor& visit) = 0;
  virtual bool anyPlayer(const PlayerTest& test) = 0;
  virtual bool findPlayer(const PlayerTest& test) = 0;
  virtual PlayerBase* firstPlayerWhere(const PlayerTest& test) = 0;
  virtual void collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) = 0;
  // A dead player comes back: on its spawn cell, alive, with its pet; every machine is told.
  virtual void respawnPlayer(PlayerBase* player) = 0;
  virtual bool isPlayerPresent(PlayerBase* player) = 0;
  virtual uint32_t playerCount() = 0;
  virtual PlayerBase* somePlayer() = 0;
  virtual std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) = 0;
  virtual uint32_t distanceToNearestPlayer(const MapBlock& cell) = 0;
  virtual void playCellEffect(PlayerBase* player, MapBlock& cell, uint8_t effect, EffectAudience audience) = 0;
  virtual void playPlayerAction(PlayerBase* player, uint8_t action, uint8_t value, EffectAudience audience) = 0;
  virtual void playSound(MapBlock& cell, uint16_t soundId, uint16_t value) = 0;
  virtual void setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) = 0;
  virtual void teleportPlayer(PlayerBase* player, MapBlock& cell) = 0;
  virtual void requestTrade(PlayerBase* asking, PlayerBase* asked) = 0;
  virtual void setPlayerInBed(PlayerBase* player, uint8_t inBed) = 0;
  virtual bool usePortal(PlayerBase* player, MapBlock* cell) = 0;
  // The actor's bonus drop for breaking a block: its 16-bit value, or 0xFFFF for none (the
  // actor's bonus test failed, or it has nothing to give).
  virtual uint16_t bonusDropValue(PlayerBase& actor) = 0;
  // A player as the world keeps it across calls (the cause of a lit fuse): an id the rules give
  // (0: none), never reused, and the player with that id while it is in the game (null once it
  // left). Without them a kept cause is forgotten: the fuse still goes off, with no cause.
  virtual uint32_t playerIdOf(PlayerBase* player) = 0;
  virtual PlayerBase* playerById(uint32_t id) = 0;
  // The machine's own local player (exempt from the explosives lock); false for peers' proxies.
  virtual bool isLocalPlayer(PlayerBase* player) = 0;
  // Shows the player an interface text by index with a console line kind (console_kind.h).
  virtual void showTextById(PlayerBase* player, uint16_t textId, uint8_t kind) = 0;
  // A living player who entered a cell takes what lies there.
  virtual void pickUpAtPlayerCell(PlayerBase* player) = 0;
  // Where a pet's owner stands (by `playerIdOf`): its cell and whether it stands on the ground.
  struct PlayerSpot {
    bool present = false;
    MapBlock* cell = nullptr;
    bool grounded = false;
  };
  virtual PlayerSpot playerSpot(uint32_t playerId) = 0;
};

// The cells and their block entities: edits, circuits, and what follows a block that leaves or
// arrives (loot, launches, pets, bobbers, lava).
class LogicCells {
 public:
  virtual ~LogicCells() = default;
  virtual void randomTick() = 0;
  virtual bool editBlock(const BlockEdit& edit, PlayerBase* player) = 0;
  virtual void setCircuitInput(MapBlock& cell, uint8_t value) = 0;
  // Every player who has the entity open lets go of it (its contents were dropped before).
  virtual void releaseBlockEntity(LogicBlock& entity) = 0;
  // The loot of a block (or decoration) that left the cell.
  virtual void dropBlockLoot(MapBlock& cell, uint16_t blockId, PlayerBase* actor) = 0;
  // The loot of the attachments on one layer of a cell whose block is removed.
  virtual void dropAttachmentLoot(MapBlock& cell, uint8_t layer, PlayerBase* actor) = 0;
  // A launch block placed on the front layer throws what stands on it.
  virtual void launchFromCell(MapBlock& cell) = 0;
  // Pets standing on a cell that was just filled leap off and follow their owner.
  virtual void liftPetsFromCell(MapBlock& cell) = 0;
  // Fishing bobbers in a cell that lost its liquid stop.
  virtual void endFishingAtCell(MapBlock& cell) = 0;
  // Lava arrived: the entities in the cell feel it.
  virtual void effectOnEntitiesAtCell(MapBlock& cell) = 0;
  // Whether the tool (null: bare hands) may break the cell's block; the player may be null.
  virtual bool canBreakBlock(PlayerBase* player, Item* tool, MapBlock& cell) = 0;
  // Every entity standing on the cell is pushed with the strength at the angle (radians).
  virtual void launchEntitiesAtCell(MapBlock& cell, float strength, float angle) = 0;
};

// Damage between bodies: projectiles and contact mobs meeting players and mobs, and a dead mob's
// loot.
class LogicDamage {
 public:
  virtual ~LogicDamage() = default;
  // A projectile without a thrower hits every player within 12 pixels; true when one was hit.
  virtual bool hitPlayersNearBullet(Entity* bullet) = 0;
  // A thrower's projectile hits the first mob (not a pet) whose box meets the 8 x 8 square around
  // it; true when one was hit.
  virtual bool hitMobNearBullet(Entity* bullet) = 0;
  // A contact mob hurts and knocks back every living player within 12 pixels; true when one was
  // touched.
  virtual bool touchPlayersNearMob(MobEntity* mob) = 0;
  // A dead mob's loot, its chances scaled by the killer's factor, dropped at the mob.
  virtual void dropMobLoot(MobEntity* mob, float factor, float bonus) = 0;
};

// The entities that are not mobs: making items, treasures, fruit, projectiles, clothes and fish,
// and moving, waking and resting them.
class LogicEntities {
 public:
  virtual ~LogicEntities() = default;
  // The item passes to the new entity (or back to the pool when none is made), as with every
  // item handed to these operations.
  virtual Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle,
                                  uint8_t flags) = 0;
  virtual Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) = 0;
  // A display of the item (copied) standing still at the position on the cell (a shelf's).
  virtual Entity* spawnTreasureEntity(const Item& shown, engine::Vec2 position, engine::Vec2 motion, MapBlock* cell) = 0;
  virtual Entity* spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) = 0;
  virtual Entity* shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position,
                                  engine::Vec2 aim, uint8_t flags) = 0;
  virtual Entity* spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) = 0;
  virtual Entity* spawnFish(const FishCatch& fish, MapBlock& cell, Entity* spawner) = 0;
  // An entity an effect made in the world itself (a firework's sub-rockets): the rules tell whoever
  // else must know of it (a host its players); alone nobody.
  virtual void effectMadeEntity(Entity*) {}
  virtual void pushEntitiesOutOfCell(MapBlock& cell) = 0;
  virtual void wakeEntity(Entity* entity) = 0;
  virtual void leapEntity(Entity* entity, float strength, float angle) = 0;
  virtual void pushEntity(Entity* entity, const EntityImpulse& impulse) = 0;
  virtual void restEntity(Entity* entity) = 0;
  virtual void setBobberState(BobberEntity* bobber, uint8_t state) = 0;
  // Whether the item may be used to spawn what it spawns (mode: the game's mode byte).
  virtual bool useSpawningItem(uint8_t mode, PlayerBase* player, Item* item, float aim) = 0;
  struct ProjectileChoice {
    uint16_t word = 0;
    int16_t itemId = -1;   // -1: the item fires nothing
    uint8_t rangeFlag = 0;
    float baseSpeed = 0;   // the speed of the item's projectile record
  };
  virtual ProjectileChoice projectileForItem(uint8_t mode, PlayerBase* player, Item* item) = 0;
  // An entity effect shown at the entity (a burst, a splash) to every player who sees it.
  virtual void broadcastEffect(Entity* entity, uint8_t effect, uint16_t value) = 0;
  // A treasure that came to rest is offered to every living player on its cell; true when one
  // took it.
  virtual bool applyToPlayersOnCell(Entity* treasure) = 0;
};

// The mobs and pets: making them, steering and knocking them back, their targets, attacks and
// shots, and pets following their owners.
class LogicMobs {
 public:
  virtual ~LogicMobs() = default;
  // `motion`: the start impulse as (strength, angle in radians). `group`: the population group the
  // mob counts in (0-2 spawned, 3 hatched from nests, 4 kept in stables; pets count in 5).
  virtual MobEntity* spawnMob(const MobDef* mob, engine::Vec2 position, engine::Vec2 motion,
                              uint8_t forced, PlayerBase* owner, uint8_t group) = 0;
  virtual void knockBackMob(MobEntity* mob, float strength, float angle, bool reset,
                            const MapBlock* attackerCell) = 0;
  virtual void steerMob(MobEntity* mob, const MobMovement& movement) = 0;
  virtual void teleportPet(MobPetEntity* pet, MapBlock& cell) = 0;
  virtual PlayerBase* mobTargetPlayer(MobEntity* mob) = 0;
  // A player entered another cell, leaving `left`: its pets plan on towards it.
  virtual void petsFollowOwner(PlayerBase* player, MapBlock* left) = 0;
  // A walker begins an attack facing the side given (peers play its attack animation).
  virtual void startMobAttack(MobEntity* mob, bool facingRight) = 0;
  // A mob's shot of the bullet row from its position (speed in pixels per tick, angle in radians).
  virtual Entity* shootMobBullet(MobEntity* mob, uint16_t bulletRow, float speed, float angle) = 0;
  // Where the player the mob may target stands (`mobTargetPlayer`), as the mob needs it.
  struct MobTarget {
    bool found = false;
    engine::Vec2 position{};
    const MapBlock* cell = nullptr;  // none outside the map rows: such a target cannot be attacked
  };
  virtual MobTarget mobTargetOf(MobEntity* mob) = 0;
};

// What a host repeats to its peers; a game played alone has nobody to tell.
class LogicHostReports {
 public:
  virtual ~LogicHostReports() = default;
  virtual void reportRemovedEntities(const uint32_t* ids, uint32_t count) = 0;
  virtual void reportMobPosition(MobEntity* mob, uint8_t flag) = 0;
  virtual void reportMobState(MobEntity* mob) = 0;
  virtual void reportCellMarked(MapBlock& cell) = 0;
  virtual void reportCellUnmarked(MapBlock& cell) = 0;
};

// The whole: every role, as the world's context holds the rules.
class Logic : public LogicPlayers,
              public LogicCells,
              public LogicDamage,
              public LogicEntities,
              public LogicMobs,
              public LogicHostReports {
 public:
  ~Logic() override = default;
};

// Rules of no game: nothing is created (an item handed over goes back to the pool), no player
// exists, every edit is refused.
class NullLogic : public Logic {
 public:
  void randomTick() override {}
  void forEachPlayer(const PlayerVisitor&) override {}
  bool anyPlayer(const PlayerTest&) override { return false; }
  bool findPlayer(const PlayerTest&) override { return false; }
  PlayerBase* firstPlayerWhere(const PlayerTest&) override { return nullptr; }
  void collectSpawnCells(std::vector<MapBlock*>&, const SpawnRule&) override {}
  void respawnPlayer(PlayerBase*) override {}
  bool isPlayerPresent(PlayerBase*) override { return false; }
  Entity* spawnItemEntity(ItemPtr, engine::Vec2, float, float, uint8_t) override { return nullptr; }
  Entity* spawnItemDrop(ItemPtr, engine::Vec2, uint8_t) override { return nullptr; }
  Entity* spawnTreasureEntity(const Item&, engine::Vec2, engine::Vec2, MapBlock*) override { return nullptr; }
  Entity* spawnFruit(uint16_t, MapBlock&, uint8_t) override { return nullptr; }
  Entity* shootProjectile(Item*, PlayerBase*, engine::Vec2, engine::Vec2, uint8_t) override {
    return nullptr;
  }
  MobEntity* spawnMob(const MobDef*, engine::Vec2, engine::Vec2, uint8_t, PlayerBase*, uint8_t) override {
    return nullptr;
  }
  Entity* spawnDress(ItemPtr, engine::Vec2, engine::Vec2) override { return nullptr; }
  Entity* spawnFish(const FishCatch&, MapBlock&, Entity*) override { return nullptr; }
  bool editBlock(const BlockEdit&, PlayerBase*) override { return false; }
  void pushEntitiesOutOfCell(MapBlock&) override {}
  void reportRemovedEntities(const uint32_t*, uint32_t) override {}
  void wakeEntity(Entity*) override {}
  void leapEntity(Entity*, float, float) override {}
  void pushEntity(Entity*, const EntityImpulse&) override {}
  void knockBackMob(MobEntity*, float, float, bool, const MapBlock*) override {}
  void steerMob(MobEntity*, const MobMovement&) override {}
  void teleportPet(MobPetEntity*, MapBlock&) override {}
  void reportMobPosition(MobEntity*, uint8_t) override {}
  void reportMobState(MobEntity*) override {}
  void restEntity(Entity*) override {}
  void setBobberState(BobberEntity*, uint8_t) override {}
  void reportCellMarked(MapBlock&) override {}
  void reportCellUnmarked(MapBlock&) override {}
  uint32_t playerCount() override { return 0; }
  PlayerBase* somePlayer() override { return nullptr; }
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock&) override {
    return {32767, 32767};
  }
  uint32_t distanceToNearestPlayer(const MapBlock&) override { return 65535; }
  PlayerBase* mobTargetPlayer(MobEntity*) override { return nullptr; }
  void playCellEffect(PlayerBase*, MapBlock&, uint8_t, EffectAudience) override {}
  void playPlayerAction(PlayerBase*, uint8_t, uint8_t, EffectAudience) override {}
  void playSound(MapBlock&, uint16_t, uint16_t) override {}
  void setPlayerFlag(PlayerBase*, uint16_t, uint8_t) override {}
  void teleportPlayer(PlayerBase*, MapBlock&) override {}
  void requestTrade(PlayerBase*, PlayerBase*) override {}
  void setPlayerInBed(PlayerBase*, uint8_t) override {}
  bool usePortal(PlayerBase*, MapBlock*) override { return false; }
  void setCircuitInput(MapBlock&, uint8_t) override {}
  void releaseBlockEntity(LogicBlock&) override {}
  void dropBlockLoot(MapBlock&, uint16_t, PlayerBase*) override {}
  void dropAttachmentLoot(MapBlock&, uint8_t, PlayerBase*) override {}
  void launchFromCell(MapBlock&) override {}
  void liftPetsFromCell(MapBlock&) override {}
  void endFishingAtCell(MapBlock&) override {}
  void effectOnEntitiesAtCell(MapBlock&) override {}
  uint16_t bonusDropValue(PlayerBase&) override { return 0xFFFF; }
  uint32_t playerIdOf(PlayerBase*) override { return 0; }
  PlayerBase* playerById(uint32_t) override { return nullptr; }
  bool isLocalPlayer(PlayerBase*) override { return false; }
  void showTextById(PlayerBase*, uint16_t, uint8_t) override {}
  bool canBreakBlock(PlayerBase*, Item*, MapBlock&) override { return false; }
  void launchEntitiesAtCell(MapBlock&, float, float) override {}
  bool useSpawningItem(uint8_t, PlayerBase*, Item*, float) override { return false; }
  ProjectileChoice projectileForItem(uint8_t, PlayerBase*, Item*) override { return {}; }
  void broadcastEffect(Entity*, uint8_t, uint16_t) override {}
  bool applyToPlayersOnCell(Entity*) override { return false; }
  void pickUpAtPlayerCell(PlayerBase*) override {}
  void petsFollowOwner(PlayerBase*, MapBlock*) override {}
  bool hitPlayersNearBullet(Entity*) override { return false; }
  bool hitMobNearBullet(Entity*) override { return false; }
  bool touchPlayersNearMob(MobEntity*) override { return false; }
  void dropMobLoot(MobEntity*, float, float) override {}
  void startMobAttack(MobEntity*, bool) override {}
  Entity* shootMobBullet(MobEntity*, uint16_t, float, float) override { return nullptr; }
  MobTarget mobTargetOf(MobEntity*) override { return {}; }
  PlayerSpot playerSpot(uint32_t) override { return {}; }
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<Logic, NullLogic>& currentLogicSeam();
// The current rules; the null form while none is set. Read at the edges only.
Logic& currentLogic();
void setCurrentLogic(Logic* logic);
