// The local rules' operations on entities. Entities sit above the game, so each operation is handed
// to the entity layer registered with the rules (`RuleEntities`); the rules keep only what is theirs:
// the creative world's mob limit and who takes a treasure.

#include <cmath>

#include "content/tables/bullet_def.h"
#include "entities/items/treasure_entity.h"
#include "entities/projectiles/bullet_entity.h"
#include "game/combat/bullet_mob_hit.h"
#include "game/player/player.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/local_logic.h"
#include "game/rules/toy_signal.h"
#include "game/rules/rule_entities.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

// Alone the candidates lie around the one player.
void LocalLogic::collectSpawnCells(std::vector<MapBlock*>& out, const SpawnRule& rule) {
  const MapBlock* cell = player_ != nullptr ? player_->currentMapBlock() : nullptr;
  if (cell != nullptr) entities_->collectSpawnCells(*cell, out, rule);
}

Entity* LocalLogic::spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) {
  return entities_->spawnItemEntity(std::move(item), position, speed, angle, flags);
}

Entity* LocalLogic::spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) {
  return entities_->spawnItemDrop(std::move(item), position, flags);
}

Entity* LocalLogic::spawnTreasureEntity(const Item& shown, engine::Vec2 position, engine::Vec2 motion,
                                        MapBlock* cell) {
  return entities_->spawnTreasure(shown, position, motion, cell);
}

Entity* LocalLogic::spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) {
  return entities_->spawnFruit(fruitId, cell, mode);
}

Entity* LocalLogic::shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                                    uint8_t flags) {
  return entities_->shootProjectile(held, player, position, aim, flags);
}

// A creative world makes mobs only on purpose, and then only below the limit.
MobEntity* LocalLogic::spawnMob(const MobDef* mob, engine::Vec2 position, engine::Vec2 motion, uint8_t forced,
                                PlayerBase* owner, uint8_t group) {
  if (world_ != nullptr && world_->isCreative()) {
    if (forced == 0 || entities_->entityCount() > kCreativeMobLimit) return nullptr;
  }
  return entities_->spawnMob(mob, position, motion, forced, owner, group);
}

Entity* LocalLogic::spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) {
  return entities_->spawnDress(std::move(item), position, motion);
}

Entity* LocalLogic::spawnFish(const FishCatch& fish, MapBlock& cell, Entity* spawner) {
  return entities_->spawnFish(fish, cell, spawner);
}

void LocalLogic::pushEntitiesOutOfCell(MapBlock& cell) { entities_->pushOutOfCell(cell); }
void LocalLogic::wakeEntity(Entity* entity) { entities_->wake(entity); }
void LocalLogic::leapEntity(Entity* entity, float strength, float angle) { entities_->leap(entity, strength, angle); }
void LocalLogic::pushEntity(Entity* entity, const EntityImpulse& impulse) { entities_->push(entity, impulse); }

void LocalLogic::knockBackMob(MobEntity* mob, float strength, float angle, bool reset, const MapBlock* attackerCell) {
  entities_->knockBack(mob, strength, angle, reset, attackerCell);
}

void LocalLogic::steerMob(MobEntity* mob, const MobMovement& movement) { entities_->steer(mob, movement); }
void LocalLogic::restEntity(Entity* entity) { entities_->rest(entity); }
void LocalLogic::setBobberState(BobberEntity* bobber, uint8_t state) { entities_->setBobberState(bobber, state); }

void LocalLogic::launchEntitiesAtCell(MapBlock& cell, float strength, float angle) {
  entities_->launchAtCell(cell, strength, angle);
}

void LocalLogic::liftPetsFromCell(MapBlock& cell) { entities_->liftPetsFromCell(cell); }
void LocalLogic::endFishingAtCell(MapBlock& cell) { entities_->endFishingAtCell(cell); }
void LocalLogic::effectOnEntitiesAtCell(MapBlock& cell) { entities_->burnAtCell(cell); }

namespace {
constexpr uint16_t kStatItemFound = 1;
constexpr uint16_t kStatKilledByProjectile = 58;
constexpr float kBulletReach = 12.0f;
}  // namespace

// Alone there is one player: it takes the treasure when it lives, stands on its cell and has room.
bool LocalLogic::applyToPlayersOnCell(Entity* treasure) {
  if (treasure == nullptr || player_ == nullptr || player_->dead != 0) return false;
  const MapBlock* cell = treasure->data.cell;
  if (cell == nullptr || player_->cellX != cell->x || player_->cellY != cell->y) return false;
  return takeTreasure(*player_, *treasure);
}

void LocalLogic::pickUpAtPlayerCell(PlayerBase* player) {
  if (player == nullptr || player != player_ || player->dead != 0) return;
  const MapBlock* cell = player->currentMapBlock();
  if (cell == nullptr) return;
  onCell_.clear();
  entities_->collectTreasuresOnCell(*cell, onCell_);
  for (Entity* treasure : onCell_) takeTreasure(*player, *treasure);
}

void LocalLogic::petsFollowOwner(PlayerBase* player, MapBlock* left) {
  if (player != nullptr) entities_->petsFollowOwner(playerIdOf(player), left);
}

bool LocalLogic::takeTreasure(PlayerBase& player, Entity& entity) {
  auto* treasure = entity_cast<TreasureEntity>(&entity);
  if (treasure == nullptr || treasure->isGone() || &player != player_) return false;
  if (!player_->pickUpItem(treasure->item())) return false;
  if (treasure->foundFlag) player_->recordStat(kStatItemFound, treasure->item().id);
  treasure->data.removed = true;
  return true;
}

// Alone there is one player to hit: within 12 pixels (the near way round the world), alive.
bool LocalLogic::hitMobNearBullet(Entity* entity) {
  auto* bullet = entity_cast<BulletEntity>(entity);
  if (bullet == nullptr || bullet->data.removed) return false;
  MobEntity* mob = entities_->mobMetByBullet(*bullet);
  if (mob == nullptr) return false;
  hitMobByBullet(*this, *bullet, *mob, bullet->ownerId() != 0 ? playerById(bullet->ownerId()) : nullptr);
  return true;
}

// Every present player within reach of the shot is hit; then the shot bursts for everyone.
bool LocalLogic::hitPlayersNearBullet(Entity* entity) {
  auto* bullet = entity_cast<BulletEntity>(entity);
  if (bullet == nullptr || bullet->data.removed || world_ == nullptr) return false;
  const bool hit = anyPlayer([this, bullet](PlayerBase* player) { return player != nullptr && shotHits(*player, *bullet); });
  if (!hit) return false;
  broadcastEffect(bullet, BulletEntity::kWallEffect, 0);
  if (bullet->def().stick() != 0) bullet->data.removed = true;
  return true;
}

bool LocalLogic::shotHits(PlayerBase& player, BulletEntity& bullet) {
  if (player.dead != 0 || bullet.data.removed) return false;
  const float dx = world_->map().shortDeltaX(player.position.x - bullet.data.x);
  const float dy = player.position.y - bullet.data.y;
  if (dx * dx + dy * dy > kBulletReach * kBulletReach) return false;
  restEntity(&bullet);
  const BulletDef& def = bullet.def();
  damagePlayer(player, def.playerDamage(), def.damageType());
  if (player.dead != 0) player.recordLocalStat(kStatKilledByProjectile, 0);
  return true;
}

bool LocalLogic::signalEntitiesNear(PlayerBase* player, engine::Vec2 point, bool invert) {
  return world_ != nullptr && signalToysNear(*world_, *this, *this, entities(), player, point, invert);
}
