#include "game/session/session_entities.h"

#include <cmath>

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "engine/base/random.h"
#include "entities/items/dress_entity.h"
#include "entities/items/fish_entity.h"
#include "entities/items/fruit_entity.h"
#include "entities/items/toy_entity.h"
#include "entities/items/treasure_entity.h"
#include "game/combat/bullet_mob_hit.h"
#include "game/combat/mob_hit.h"
#include "game/player/player_desktop.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "game/fishing/catch_table.h"
#include "entities/items/treasure_factory.h"
#include "entities/core/cell_operations.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_pet_entity.h"
#include "entities/mobs/mob_spawning.h"
#include "world/rules/mob_movement.h"
#include "world/rules/console_kind.h"
#include "entities/projectiles/bobber_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "game/session/running_world.h"
#include "world/rules/entity_impulse.h"
#include "world/world.h"

namespace {

RealEntity* real(Entity* entity) { return static_cast<RealEntity*>(entity); }

// The item a projectile row throws instead of flying itself; kNoItem for a row that flies.
uint16_t thrownItemOf(int16_t row) {
  if (row < 0 || static_cast<size_t>(row) >= contentTables().bulletDefs.size()) return content::kNoItem;
  const uint16_t item = contentTables().bulletDefs[static_cast<size_t>(row)].thrownItem();
  return item == 0 ? content::kNoItem : item;  // id 0 is no item either
}

}  // namespace

WorldEntities& SessionEntities::current() {
  WorldEntities* own = running_.world != nullptr ? running_.world->entities() : nullptr;
  return own != nullptr ? *own : idle_;
}

void SessionEntities::clearAll() {
  current().clearAll();
  idle_.clearAll();
}

// A thrown toy rolls, spins or bursts by its spec.
Entity* SessionEntities::spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t) {
  return createTreasureEntity(current(), std::move(item), position, speed, angle, 0, true);
}

Entity* SessionEntities::spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t) {
  return createTreasureEntityTossed(current(), std::move(item), position, 0);
}

Entity* SessionEntities::spawnTreasure(const Item& shown, engine::Vec2 position, engine::Vec2, MapBlock*) {
  ItemPtr copy = copyItem(shown, true);
  if (copy == nullptr) return nullptr;
  copy->count = 1;
  TreasureEntity* display = createTreasureEntity(current(), std::move(copy), position, 0, 0, 0);
  // A display hangs where the shelf shows it: it never falls, ages or goes to a player.
  if (display != nullptr) display->data.frozen = true;
  return display;
}

Entity* SessionEntities::spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) {
  return createFruitEntity(current(), fruitId, cell, mode);
}

namespace {
constexpr uint8_t kFirstClothingKind = 10;
}  // namespace

Entity* SessionEntities::spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2) {
  if (item == nullptr) return nullptr;
  const ItemDef* def = item->definition();
  const uint8_t kind = def != nullptr ? def->record.kind() : 0;
  const uint8_t slot = kind >= kFirstClothingKind ? static_cast<uint8_t>(kind - kFirstClothingKind) : 0;
  return createDressEntity(current(), item->id, slot, position);
}

bool SessionEntities::isShowableFish(uint16_t itemId) {
  for (const CatchRow& row : catchTable()) {
    if (row.rule.itemId == itemId) return true;
  }
  return false;
}

// The shelf keeps its item; the fish shown swims with a copy.
Entity* SessionEntities::showFish(const Item& item, MapBlock& cell, engine::Vec2) {
  return createFishEntity(current(), copyItem(item, true), cell);
}

Entity* SessionEntities::shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                                        uint8_t flags) {
  WorldEntities& lists = current();
  World* world = lists.world();
  if (world == nullptr || held == nullptr || held->isNone()) return nullptr;
  LogicEntities& rules = world->rules();
  LogicPlayers& players = world->rules();
  const Logic::ProjectileChoice choice = rules.projectileForItem(world->isCreative() ? 1 : 0, player, held);
  if (choice.itemId < 0) return nullptr;
  // The projectile is the ammunition's (or the item's own); casting and the sound are the weapon's:
  // a rod casts whatever bait it takes, a bow twangs whatever arrow it looses.
  const RangedSpec* ranged = contentTables().itemDefs[static_cast<uint16_t>(choice.itemId) & 0xFFF].rangedSpec;
  const RangedSpec* weapon = held->id < content::kItemIdLimit ? contentTables().itemDefs[held->id].rangedSpec : nullptr;
  if (ranged == nullptr) return nullptr;
  if (weapon == nullptr) weapon = ranged;
  const uint32_t owner = player != nullptr ? players.playerIdOf(player) : 0;
  if (weapon->castsBobber() && playerHasBobber(lists, owner)) {
    players.showTextById(player, kTextSecondCast, console_kind::kRefusal);
    return nullptr;
  }
  RealEntity* shot = loose(ranged->bulletRow(), *held, owner, position, aim, choice.word, flags);
  if (shot != nullptr && weapon->sound() >= 0 && shot->data.cell != nullptr) {
    players.playSound(*shot->data.cell, static_cast<uint16_t>(weapon->sound()), 0);
  }
  return shot;
}

RealEntity* SessionEntities::loose(int16_t row, const Item& held, uint32_t owner, engine::Vec2 position,
                                   engine::Vec2 aim, uint16_t word, uint8_t flags) {
  const float speed = std::hypot(aim.x, aim.y);
  const float angle = std::atan2(aim.y, aim.x);
  if (const uint16_t item = thrownItemOf(row); item != content::kNoItem) {
    // A row that names an item throws that item, by its thrower: a ball rolls off as a toy, to be
    // picked up again.
    return createTreasureEntity(current(), newItem(item, -1, 1, -1, held.word), position, speed, angle, 0, true, owner);
  }
  return createBulletEntity(current(), row, owner, position, speed, angle, word, (flags & kHitsMobsFlag) != 0,
                            (flags & kSparesPlayersFlag) != 0);
}

void SessionEntities::setBobberState(BobberEntity* bobber, uint8_t state) {
  if (bobber != nullptr) bobber->setState(state);
}

void SessionEntities::endFishingAtCell(MapBlock& cell) {
  WorldEntities& lists = current();
  for (size_t i = 0; i < lists.bullets().size(); ++i) {
    RealEntity& e = lists.bullets().at(i);
    if (e.kind() == EntityKind::Bobber && e.data.cell == &cell && !e.data.removed) e.onStop();
  }
}

void SessionEntities::wake(Entity* entity) {
  if (entity == nullptr) return;
  const float drift = static_cast<float>(engine::randomNext()) / 32767.0f * 0.2f - 0.1f;
  real(entity)->setImpulse({drift, 0});
}

void SessionEntities::leap(Entity* entity, float strength, float angle) {
  if (entity == nullptr) return;
  if (auto* mob = entity_cast<MobEntity>(entity)) return mob->leap(strength, angle);
  real(entity)->addImpulse(strength, angle, true);
}

MobEntity* SessionEntities::spawnMob(const MobDef* row, engine::Vec2 position, engine::Vec2 motion, uint8_t,
                                     PlayerBase* owner, uint8_t group) {
  WorldEntities& lists = current();
  World* world = lists.world();
  if (world == nullptr || row == nullptr || blockAtPoint(world->map(), position) == nullptr) return nullptr;
  std::unique_ptr<RealEntity> mob = owner != nullptr
                                        ? createPetEntity(*world, *row, world->rules().playerIdOf(owner), position)
                                        : createMobEntity(*world, *row, group, position, motion);
  if (mob == nullptr) return nullptr;
  return static_cast<MobEntity*>(&lists.add(std::move(mob)));
}

Entity* SessionEntities::shootMobBullet(MobEntity* mob, uint16_t row, float speed, float angle) {
  if (mob == nullptr) return nullptr;
  return createBulletEntity(current(), row, 0, {mob->data.x, mob->data.y}, speed, angle, 0, false, false);
}

void SessionEntities::knockBack(MobEntity* mob, float strength, float angle, bool flag, const MapBlock* cell) {
  if (mob != nullptr) mob->knockBack(strength, angle, flag, cell);
}

void SessionEntities::collectSpawnCells(const MapBlock& around, std::vector<MapBlock*>& out,
                                        const SpawnRule& rule) {
  if (current().world() != nullptr) ::collectSpawnCells(current(), around, out, rule);
}

void SessionEntities::runSpawner() {
  if (current().world() != nullptr) runSpawnerPass(current());
}

uint32_t SessionEntities::dismissPets(uint32_t playerId) {
  WorldEntities& lists = current();
  if (lists.world() == nullptr || playerId == 0) return 0;
  LogicPlayers& rules = lists.world()->rules();
  uint32_t dismissed = 0;
  lists.mobs().forEach([&](RealEntity& e) {
    auto* pet = entity_cast<MobPetEntity>(&e);
    if (pet == nullptr || e.data.removed || e.ownerId() != playerId) return;
    if (e.data.cell != nullptr) rules.playCellEffect(nullptr, *e.data.cell, kPetLeaves, EffectAudience::Everyone);
    pet->remove();
    ++dismissed;
  });
  return dismissed;
}

void SessionEntities::petsFollowOwner(uint32_t playerId, MapBlock* left) {
  WorldEntities& lists = current();
  if (lists.world() == nullptr || playerId == 0) return;
  const Logic::PlayerSpot owner = lists.world()->rules().playerSpot(playerId);
  for (size_t i = 0; i < lists.mobs().size(); ++i) {
    auto* pet = entity_cast<MobPetEntity>(&lists.mobs().at(i));
    if (pet != nullptr && !pet->data.removed && pet->ownerId() == playerId) pet->ownerMoved(owner, left);
  }
}

void SessionEntities::liftPetsFromCell(MapBlock& cell) {
  WorldEntities& lists = current();
  World* world = lists.world();
  if (world == nullptr) return;
  LogicEntities& rules = world->rules();
  LogicPlayers& players = world->rules();
  LogicMobs& mobs = world->rules();
  const MapBlock* above = cell.neighbourUp(world->map());
  const bool open = above != nullptr && !world->map().props()[above->frontId()].opaque();
  for (size_t i = 0; i < lists.mobs().size(); ++i) {
    auto* pet = entity_cast<MobPetEntity>(&lists.mobs().at(i));
    if (pet == nullptr || pet->data.removed || pet->data.cell != &cell) continue;
    if (open) {
      rules.leapEntity(pet, kLiftStrength, kStraightUp);
      continue;
    }
    const Logic::PlayerSpot owner = players.playerSpot(pet->ownerId());
    if (owner.cell == nullptr) continue;
    pet->teleportToCell(*owner.cell);
    mobs.teleportPet(pet, *owner.cell);
  }
}

BobberEntity* SessionEntities::bobberOf(uint32_t playerId) {
  EntityLayer& bullets = current().bullets();
  for (size_t i = 0; playerId != 0 && i < bullets.size(); ++i) {
    auto* bobber = entity_cast<BobberEntity>(&bullets.at(i));
    if (bobber != nullptr && !bobber->data.removed && bobber->ownerId() == playerId) return bobber;
  }
  return nullptr;
}

void SessionEntities::dismissBobbers(uint32_t playerId) {
  WorldEntities& lists = current();
  if (lists.world() == nullptr || playerId == 0) return;
  LogicEntities& rules = lists.world()->rules();
  lists.bullets().forEach([&](RealEntity& e) {
    auto* bobber = entity_cast<BobberEntity>(&e);
    if (bobber == nullptr || e.data.removed || e.ownerId() != playerId) return;
    rules.setBobberState(bobber, kBobberFades);
    e.data.removed = true;
  });
}

void SessionEntities::collectMobs(std::vector<SwingTarget>& out) {
  collectSwingTargets(current(), running_.player.get(), out);
}

MobEntity* SessionEntities::mobMetByBullet(const Entity& bullet) {
  WorldEntities& lists = current();
  World* world = lists.world();
  if (world == nullptr) return nullptr;
  for (size_t i = 0; i < lists.mobs().size(); ++i) {
    auto* mob = entity_cast<MobEntity>(&lists.mobs().at(i));
    if (mob == nullptr || mob->data.removed || mob->kind() == EntityKind::Pet) continue;
    const float dx = world->map().shortDeltaX(mob->data.x - bullet.data.x);
    if (mobBoxMeetsShot(dx, mob->data.y - bullet.data.y, mob->data.halfWidth, mob->data.halfHeight)) return mob;
  }
  return nullptr;
}

bool SessionEntities::lineOfCellsClear(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  return swingLineClear(current(), fromX, fromY, toX, toY);
}

void SessionEntities::hit(uint32_t mobId) {
  WorldEntities& lists = current();
  World* world = lists.world();
  auto* mob = entity_cast<MobEntity>(lists.findById(mobId));
  if (world == nullptr || mob == nullptr || mob->data.removed || running_.player == nullptr) return;
  hitMobByPlayer({world->rules(), world->rules(), world->rules()}, *running_.player, *mob);
}

void SessionEntities::steer(MobEntity* mob, const MobMovement& movement) {
  if (mob != nullptr) mob->startWalk(static_cast<int32_t>(movement.state), movement.speed, movement.time);
}

void SessionEntities::push(Entity* entity, const EntityImpulse& impulse) {
  if (entity != nullptr) real(entity)->addImpulse(impulse.strength, impulse.angle, impulse.reset != 0);
}

void SessionEntities::rest(Entity* entity) {
  if (entity != nullptr) real(entity)->onRest();
}

void SessionEntities::launchAtCell(MapBlock& cell, float strength, float angle) {
  WorldEntities& lists = current();
  for (size_t i = 0; i < lists.treasures().size(); ++i) {
    RealEntity& e = lists.treasures().at(i);
    if (e.data.cell == &cell && !e.data.removed) e.addImpulse(strength, angle, true);
  }
}

void SessionEntities::burnAtCell(MapBlock& cell) {
  WorldEntities& lists = current();
  World* world = lists.world();
  for (size_t i = 0; i < lists.treasures().size(); ++i) {
    RealEntity& e = lists.treasures().at(i);
    if (e.data.cell != &cell || e.data.removed || e.kind() == EntityKind::Fish) continue;
    if (world != nullptr) world->rules().broadcastEffect(&e, RealEntity::kLavaEffect, 0);
    e.data.removed = true;
  }
}

void SessionEntities::collectTreasuresOnCell(const MapBlock& cell, std::vector<Entity*>& out) {
  WorldEntities& lists = current();
  for (size_t i = 0; i < lists.treasures().size(); ++i) {
    auto* e = entity_cast<TreasureEntity>(&lists.treasures().at(i));
    if (e != nullptr && e->data.cell == &cell && !e->isGone() && !e->data.moving) out.push_back(e);
  }
}

void SessionEntities::collectToys(std::vector<ToyEntity*>& out) {
  WorldEntities& lists = current();
  for (size_t i = 0; i < lists.treasures().size(); ++i) {
    auto* toy = entity_cast<ToyEntity>(&lists.treasures().at(i));
    if (toy != nullptr && !toy->data.removed) out.push_back(toy);
  }
}

void SessionEntities::stepFrame(float seconds) { current().advance(seconds); }
