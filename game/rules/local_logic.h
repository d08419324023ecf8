#pragma once
// The rules of a game played alone (and of a client): every operation runs on the one local
// world with the one local player. Player iteration visits the local player; sounds and cell
// effects go out through the world's and the player's seams; loot, signs and circuit
// configurators follow their rules (loot_rules.h, local_logic_blocks.cpp). The periodic tasks
// (local_logic_timers.cpp) run the buffs, the hazards, the surface step, the forges, the plants,
// the stables, the weather, the pets, regeneration and the save reminder.
//
// What creates, moves or settles an entity is handed to the entity layer through `RuleEntities`
// (local_logic_entities.cpp); until it is registered the null form creates nothing and frees every
// item it is given.
//
// Main thread only.

#include <cstdint>
#include <vector>

#include "content/tables/difficulty_row.h"  // the difficulty values the rules read
#include "game/rules/logic_timers.h"
#include "game/rules/player_rules.h"
#include "game/rules/portal_rules.h"
#include "game/rules/swing_rules.h"
#include "world/rules/logic.h"

class AlchemyLab;
class BulletEntity;
class MobCatcher;
class Player;
class RuleEntities;
class World;

// A present player drawn at random from a list, or null when none is present: the draws stop
// once every entry has been seen absent.
PlayerBase* pickPresentPlayer(const std::vector<PlayerBase*>& players, const Logic::PlayerTest& isPresent);

class LocalLogic : public Logic, public PlayerRules, public SwingRules {
 public:
  static constexpr uint16_t kStatDeathByKind[5] = {54, 57, 55, 56, 59};  // kinds 20-24

  static constexpr const char* kSaveReminder = "Save your game by pressing the pause button!";

  LocalLogic(World* world, Player* player, const DifficultyRow* difficulty);
  ~LocalLogic() override;

  World* world() const { return world_; }
  void setWorld(World* world) { world_ = world; }
  Player* player() const { return player_; }
  void setPlayer(Player* player) { player_ = player; }
  const DifficultyRow* difficulty() const { return difficulty_; }
  void setDifficulty(const DifficultyRow* difficulty) { difficulty_ = difficulty; }
  // Not owned; null restores the null form.
  void setEntities(RuleEntities* entities);
  RuleEntities& entities() const { return *entities_; }
  SwingTargets* swingTargets() const override;

  // ---- Players ----
  // With three chances in four, the random surface step around the local player.
  void randomTick() override;
  void forEachPlayer(const PlayerVisitor& visit) override;
  bool anyPlayer(const PlayerTest& test) override;
  bool findPlayer(const PlayerTest& test) override { return anyPlayer(test); }
  PlayerBase* firstPlayerWhere(const PlayerTest& test) override;
  void respawnPlayer(PlayerBase* player) override;
  bool isPlayerPresent(PlayerBase*) override { return true; }
  uint32_t playerCount() override { return player_ != nullptr ? 1 : 0; }
  PlayerBase* somePlayer() override;
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) override;
  uint32_t distanceToNearestPlayer(const MapBlock& cell) override;
  PlayerBase* mobTargetPlayer(MobEntity* mob) override;
  void playCellEffect(PlayerBase* player, MapBlock& cell, uint8_t effect, EffectAudience audience) override;
  void playPlayerAction(PlayerBase* player, uint8_t action, uint8_t value, EffectAudience audience) override;
  void playSound(MapBlock& cell, uint16_t soundId, uint16_t value) override;
  void setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) override;
  void teleportPlayer(PlayerBase* player, MapBlock& cell) override;
  // The local rules have one player: nobody here can be asked, which the asker reads.
  void requestTrade(PlayerBase* asking, PlayerBase* asked) override;
  void setPlayerInBed(PlayerBase* player, uint8_t inBed) override;
  // The local player travels through the cell's portal at once (see portal_rules.h).
  bool usePortal(PlayerBase* player, MapBlock* cell) override;
  bool isLocalPlayer(PlayerBase* player) override;
  uint32_t playerIdOf(PlayerBase* player) override;
  PlayerBase* playerById(uint32_t id) override;
  void showTextById(PlayerBase* player, uint16_t textId, uint8_t kind) override;

  // ---- Cells and block entities ----
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override;
  // A lever's or switch's signal goes into the world's circuits.
  void setCircuitInput(MapBlock& cell, uint8_t value) override;
  void releaseBlockEntity(LogicBlock& entity) override;
  void dropBlockLoot(MapBlock& cell, uint16_t blockId, PlayerBase* actor) override;
  void dropAttachmentLoot(MapBlock& cell, uint8_t layer, PlayerBase* actor) override;
  uint16_t bonusDropValue(PlayerBase& actor) override;
  void launchFromCell(MapBlock& cell) override;
  bool canBreakBlock(PlayerBase* player, Item* tool, MapBlock& cell) override;
  bool useSpawningItem(uint8_t mode, PlayerBase* player, Item* item, float aim) override;
  ProjectileChoice projectileForItem(uint8_t mode, PlayerBase* player, Item* item) override;
  // A sign on the cell's front decorations: placed, changed or taken (variant 0 with a sign), by
  // the player who acts, whom the edit rules hold to the protected areas (null: the world's own).
  void placeSign(MapBlock& cell, uint8_t variant, PlayerBase* player);
  // The player's circuit configurator opens on a device that has a setting (a joined player's on
  // her screen); false otherwise.
  bool editCircuitCell(PlayerBase& player, MapBlock& cell);
  // The lab's started brew completes for the player (see brewing_rules.h).
  bool brewPotion(AlchemyLab& lab, PlayerBase* player);

  // ---- Damage ----
  bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) override;

  // ---- Entities: handed to the entity layer (local_logic_entities.cpp) ----
  void collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) override;
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) override;
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) override;
  Entity* spawnTreasureEntity(const Item& shown, engine::Vec2 position, engine::Vec2 motion, MapBlock* cell) override;
  Entity* spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) override;
  Entity* shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                          uint8_t flags) override;
  MobEntity* spawnMob(const MobDef* mob, engine::Vec2 position, engine::Vec2 motion, uint8_t forced,
                      PlayerBase* owner, uint8_t group) override;
  Entity* spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) override;
  Entity* spawnFish(const FishCatch& fish, MapBlock& cell, Entity* spawner) override;
  void pushEntitiesOutOfCell(MapBlock& cell) override;
  void wakeEntity(Entity* entity) override;
  void leapEntity(Entity* entity, float strength, float angle) override;
  void pushEntity(Entity* entity, const EntityImpulse& impulse) override;
  void knockBackMob(MobEntity* mob, float strength, float angle, bool reset, const MapBlock* attackerCell) override;
  void steerMob(MobEntity* mob, const MobMovement& movement) override;
  void restEntity(Entity* entity) override;
  void setBobberState(BobberEntity* bobber, uint8_t state) override;
  void launchEntitiesAtCell(MapBlock& cell, float strength, float angle) override;
  void liftPetsFromCell(MapBlock& cell) override;
  void endFishingAtCell(MapBlock& cell) override;
  void effectOnEntitiesAtCell(MapBlock& cell) override;
  bool applyToPlayersOnCell(Entity* treasure) override;
  void pickUpAtPlayerCell(PlayerBase* player) override;
  void petsFollowOwner(PlayerBase* player, MapBlock* left) override;
  bool hitPlayersNearBullet(Entity* bullet) override;
  bool hitMobNearBullet(Entity* bullet) override;
  // ---- Mobs (local_logic_mobs.cpp) ----
  bool touchPlayersNearMob(MobEntity* mob) override;
  void dropMobLoot(MobEntity* mob, float factor, float bonus) override;
  // Alone nobody else needs to see the attack begin: the mob's own state shows it.
  void startMobAttack(MobEntity*, bool) override {}
  Entity* shootMobBullet(MobEntity* mob, uint16_t bulletRow, float speed, float angle) override;
  MobTarget mobTargetOf(MobEntity* mob) override;
  PlayerSpot playerSpot(uint32_t playerId) override;
  // A taming collar thrown over the mob by the player who acts (game/player/mob_catcher.h): the
  // mob's item (the mob-to-item table's) goes to her, her collar is used up, and the mob leaves.
  // False for a hand without a collar, a mob beyond its reach, a pet, a mob carried as no item, an
  // item she has no room for, and a capture her answer completes later.
  bool captureMob(MobCatcher& catcher, MobEntity* mob);
  // The capture's end, once the caught item is hers: counted, the collar used up, the mob gone
  // with its effect for everyone. False (nothing done) for a mob no item stands for and for a hand
  // that holds no collar by then.
  bool completeCapture(MobCatcher& catcher, MobEntity& mob);
  // The pet the item stands for (null, or an item that stands for no mob: none) replaces the one
  // the player had; made forced, so a creative world allows it below the entity limit.
  MobEntity* summonPet(PlayerBase& player, const Item* item);
  // Empty hands call the thrown toys near the point (game/rules/toy_signal.h); true when one moved.
  bool signalEntitiesNear(PlayerBase* player, engine::Vec2 point, bool invert);
  // ---- Fishing (local_logic_fishing.cpp) ----
  // The reel-in of the player's bobber `seconds` after the bite: a hooked fish is landed when the
  // player was quick enough (or by luck), thrown from the bobber towards the player; the fishing
  // ends either way. Nothing without a bobber.
  void resolveFishingCatch(PlayerBase& player, float seconds);
  // The bobber's fishing is over: its present caster lowers the rod, then the bobber takes `state`.
  void endFishing(BobberEntity& bobber, uint8_t state);

  // Every player sees the effect at the entity: alone, the local player's view plays it.
  void broadcastEffect(Entity* entity, uint8_t effect, uint16_t value) override;

  // ---- What only a host tells its peers: nothing to tell alone ----
  void reportRemovedEntities(const uint32_t*, uint32_t) override {}
  void teleportPet(MobPetEntity*, MapBlock&) override {}
  void reportMobPosition(MobEntity*, uint8_t) override {}
  void reportMobState(MobEntity*) override {}
  void reportCellMarked(MapBlock&) override {}
  void reportCellUnmarked(MapBlock&) override {}

  // The periodic tasks, rebuilt and unpaused; `timers().step()` runs one second of them.
  void startTimers();
  LogicTimers& timers() { return timers_; }

 protected:
  // What the local game and a host share of a respawn: the player stands on its spawn cell (the
  // cell, null off the map), alive, with the pet its trinket summons.
  MapBlock* returnToLife(PlayerBase& player);
  // The checks of a block edit for the player (null: the world's own).
  bool editAllowed(const BlockEdit& edit, PlayerBase* player);
  // The cell's offset (folded across the map's seam) and whole-cell distance from the player;
  // the world must be set.
  std::pair<uint16_t, uint16_t> cellOffsetFrom(const PlayerBase& player, const MapBlock& cell) const;
  uint32_t cellDistanceFrom(const PlayerBase& player, const MapBlock& cell) const;
  // A player's health ran out: it dies (a host first tells its clients of its own player's death).
  virtual void endLife(PlayerBase& player);
  // The local player takes the treasure when it can; true when it did.
  bool takeTreasure(PlayerBase& player, Entity& treasure);
  // The mob's touch on one player: hurt and pushed when alive, unprotected and within reach.
  bool touchPlayer(PlayerBase& player, MobEntity& mob);
  // The shot's hit on one player within reach; the shot comes to rest on the first it hits.
  bool shotHits(PlayerBase& player, BulletEntity& bullet);

 private:
  void stepForges();
  void stepStables();
  void stepWeather();
  void remindToSave();
  MobEntity* summonPetOfRow(PlayerBase& player, const MobDef* row);

  World* world_;
  Player* player_;
  const DifficultyRow* difficulty_;

  RuleEntities* entities_;
  LogicTimers timers_;
  std::vector<Entity*> onCell_;  // reused by pickUpAtPlayerCell
  PortalChoices portalChoices_;
};
