#pragma once
// The rules of a game played alone (and of a client): every operation runs on the one local
// world with the one local player. Player iteration visits the local player; the periodic tasks
// (local_logic_timers.cpp) run the buffs, the hazards, the surface step, the forges, the plants,
// the stables, the weather, the pets, regeneration and the save reminder. The
// operations that create or move entities are the null forms' until the entities exist: items
// handed to them go back to the pool, except item drops, which go to the `ItemDrops` seam.
//
// Main thread only.

#include <cstdint>
#include <vector>

#include "content/tables/difficulty_row.h"  // the difficulty values the rules read
#include "game/rules/logic_timers.h"
#include "game/rules/player_rules.h"
#include "world/rules/logic.h"

class AlchemyLab;
class Player;
class World;

// Where the rules put a dropped item; the entity layer registers the real one. The null form
// returns the item to the pool.
class ItemDrops {
 public:
  virtual ~ItemDrops() = default;
  virtual void drop(Item* item, engine::Vec2 position, uint8_t flags);
};
ItemDrops& itemDrops();
void setItemDrops(ItemDrops* drops);

// A present player drawn at random from a list, or null when none is present: the draws stop
// once every entry has been seen absent.
PlayerBase* pickPresentPlayer(const std::vector<PlayerBase*>& players, const Logic::PlayerTest& isPresent);

class LocalLogic : public NullLogic, public PlayerRules {
 public:
  static constexpr uint16_t kStatDeathByKind[5] = {54, 57, 55, 56, 59};  // kinds 20-24

  static constexpr const char* kSaveReminder = "Save your game by pressing the pause button!";

  LocalLogic(World* world, Player* player, const DifficultyRow* difficulty);

  World* world() const { return world_; }
  void setWorld(World* world) { world_ = world; }
  void setPlayer(Player* player) { player_ = player; }

  // With three chances in four, the random surface step around the local player.
  void randomTick() override;
  void forEachPlayer(const PlayerVisitor& visit) override;
  bool anyPlayer(const PlayerTest& test) override;
  bool findPlayer(const PlayerTest& test) override { return anyPlayer(test); }
  PlayerBase* firstPlayerWhere(const PlayerTest& test) override;
  void respawnPlayer(Player* player) override;
  bool isPlayerPresent(PlayerBase*) override { return true; }
  Entity* spawnItemDrop(Item* item, engine::Vec2 position, uint8_t flags) override;
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override;
  uint32_t playerCount() override { return player_ != nullptr ? 1 : 0; }
  PlayerBase* somePlayer() override;
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) override;
  uint32_t distanceToNearestPlayer(const MapBlock& cell) override;
  PlayerBase* mobTargetPlayer(MobEntity* mob) override;
  void playPlayerAction(PlayerBase* player, uint8_t action, uint8_t value, uint8_t flag) override;
  void setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) override;
  void teleportPlayer(PlayerBase* player, MapBlock& cell) override;
  void setPlayerInBed(PlayerBase* player, uint8_t inBed) override;
  // The local player travels through the cell's portal at once (see portal_rules.h).
  bool usePortal(PlayerBase* player, MapBlock* cell) override;
  // A lever's or switch's signal goes into the world's circuits.
  void setCircuitInput(MapBlock& cell, uint8_t value) override;

  bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) override;
  bool canBreakBlock(PlayerBase* player, Item* tool, MapBlock& cell) override;
  bool useSpawningItem(uint8_t mode, PlayerBase* player, Item* item, float aim) override;
  // The lab's started brew completes for the player (see brewing_rules.h).
  bool brewPotion(AlchemyLab& lab, PlayerBase* player);

  // The periodic tasks, rebuilt and unpaused; `timers().step()` runs one second of them.
  void startTimers();
  LogicTimers& timers() { return timers_; }

 private:
  void stepForges();
  void stepStables();
  void stepWeather();
  void remindToSave();

  World* world_;
  Player* player_;
  const DifficultyRow* difficulty_;
  LogicTimers timers_;
};
