#pragma once
// The rules of the host of a networked game. Every rule is the local game's (`LocalLogic`, the one
// place both share) run on the hosted world; what the clients must see is then sent to them through
// the host endpoint, so that they follow without running the rules again:
// - each entity created: its 62-byte record, to all;
// - a block edit in the host's order: checked, sent to all, applied, and the game reacts;
// - an effect or action a client started is not echoed to that client; the rest go to all;
// - the players the rules visit are the endpoint's present players (the host's own first), and a
//   respawn (the host's own player's and a client's alike) brings a player back on its spawn cell
//   with its pet, then tells everyone.
// What alone has nobody to tell (`LocalLogic`'s empty reports) is overridden here, each with its
// message: nothing of the local game's silence is inherited.
//
// Main thread only.

#include <cstdint>

#include "game/rules/bed_rules.h"
#include "game/rules/local_logic.h"
#include "net/host_game/mined_drops.h"

class NetServer;
class PlayerServer;

namespace wire {
class WireOut;
}

class NetLogic final : public LocalLogic {
 public:
  // `server` (not owned) outlives the rules; `player`: the host's own local player.
  NetLogic(NetServer& server, World* world, Player* player, const DifficultyRow* difficulty);

  static constexpr uint8_t kNoPeer = 0xFF;

  NetServer& server() const { return server_; }
  // The peer index of a player: 0 for the host's own, its client's index for a proxy; 0xFF for
  // a player the endpoint does not hold.
  uint8_t peerOf(const PlayerBase* player) const;

  // ---- Players: the endpoint's present players (net_logic_players.cpp) ----
  void forEachPlayer(const PlayerVisitor& visit) override;
  bool anyPlayer(const PlayerTest& test) override;
  bool findPlayer(const PlayerTest& test) override;
  PlayerBase* firstPlayerWhere(const PlayerTest& test) override;
  bool isPlayerPresent(PlayerBase* player) override;
  uint32_t playerCount() override;
  PlayerBase* somePlayer() override;
  // Around a present player drawn at random, without the cells any present player sees or is near.
  void collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) override;
  std::pair<uint16_t, uint16_t> offsetToNearestPlayer(const MapBlock& cell) override;
  uint32_t distanceToNearestPlayer(const MapBlock& cell) override;
  PlayerBase* mobTargetPlayer(MobEntity* mob) override;
  // The host's own player takes what lies on its cell; a client's player is offered each item
  // there ([5][91]), which waits, marked taken, for its client's answer.
  void pickUpAtPlayerCell(PlayerBase* player) override;
  // A treasure at rest goes to the client's player who mined it when she is near, else to the
  // living players standing on its cell, in peer order: the host's own takes it, a client's player
  // is offered it as above.
  bool applyToPlayersOnCell(Entity* treasure) override;

  // ---- Entity creation: the base, then the record to all (net_logic_entities.cpp) ----
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) override;
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) override;
  Entity* spawnTreasureEntity(const Item& shown, engine::Vec2 position, engine::Vec2 motion, MapBlock* cell) override;
  Entity* spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) override;
  Entity* shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                          uint8_t flags) override;
  MobEntity* spawnMob(const MobDef* mob, engine::Vec2 position, engine::Vec2 motion, uint8_t forced,
                      PlayerBase* owner, uint8_t group) override;
  Entity* spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) override;
  void effectMadeEntity(Entity* entity) override;
  Entity* spawnFish(const FishCatch& fish, MapBlock& cell, Entity* spawner) override;

  // ---- Entity motion and state: the base, then its message (net_logic_entities.cpp) ----
  void pushEntitiesOutOfCell(MapBlock& cell) override;
  void reportRemovedEntities(const uint32_t* ids, uint32_t count) override;
  void wakeEntity(Entity* entity) override;
  void leapEntity(Entity* entity, float strength, float angle) override;
  void pushEntity(Entity* entity, const EntityImpulse& impulse) override;
  void knockBackMob(MobEntity* mob, float strength, float angle, bool reset, const MapBlock* attackerCell) override;
  void steerMob(MobEntity* mob, const MobMovement& movement) override;
  void teleportPet(MobPetEntity* pet, MapBlock& cell) override;
  void reportMobPosition(MobEntity* mob, uint8_t flag) override;
  void reportMobState(MobEntity* mob) override;
  void restEntity(Entity* entity) override;
  void setBobberState(BobberEntity* bobber, uint8_t state) override;
  // The walker's own state carries its attack to the clients with its next state report.
  void startMobAttack(MobEntity* mob, bool facingRight) override;

  // ---- Cells, effects and players: the base, then its message (net_logic.cpp) ----
  bool editBlock(const BlockEdit& edit, PlayerBase* player) override;
  void reportCellMarked(MapBlock& cell) override;
  void reportCellUnmarked(MapBlock& cell) override;
  void setCircuitInput(MapBlock& cell, uint8_t value) override;
  void playCellEffect(PlayerBase* player, MapBlock& cell, uint8_t effect, EffectAudience audience) override;
  void playPlayerAction(PlayerBase* player, uint8_t action, uint8_t value, EffectAudience audience) override;
  void playSound(MapBlock& cell, uint16_t soundId, uint16_t value) override;
  void setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) override;
  void teleportPlayer(PlayerBase* player, MapBlock& cell) override;
  // The host's own player and a client's alike.
  void respawnPlayer(PlayerBase* player) override;
  // The shared sleep: a player lying down waits in bed until every present player lies in one;
  // then all of them get up healed and sleep through the night, in list order.
  void setPlayerInBed(PlayerBase* player, uint8_t inBed) override;
  // The asking player asks the one it clicked (net_logic_trade.cpp).
  void requestTrade(PlayerBase* asking, PlayerBase* asked) override;

 protected:
  // The host's own player's death is told to every client ([2][41], peer 0) before it dies and its
  // death view opens; a client's player tells its own (`PlayerServer::die`).
  void endLife(PlayerBase& player) override;

 private:
  void offerTreasure(PlayerServer& client, Entity& treasure);
  void sendToAll(const wire::WireOut& message);
  // To every client, but the actor's when a client's player caused it and the audience leaves the
  // actor out.
  void sendToAllButActor(const wire::WireOut& message, PlayerBase* actor, EffectAudience audience);
  // The entity's record to all; the entity passes through.
  template <class E>
  E* announce(E* created);
  void sendEntityPoint(uint8_t id, const Entity& entity);

  // The client's player who mined the treasure, when she is present, alive and near it.
  PlayerServer* minerNear(const Entity& treasure);

  NetServer& server_;
  BedRoll beds_;
  MinedDrops mined_;
  // The player whose block edit is being applied: what it drops is hers.
  PlayerBase* editing_ = nullptr;
};
