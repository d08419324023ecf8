// The host's entity rules: the local rules create, move and settle each entity on the hosted
// world; then the clients are told, each in its message (records, impulses, states).

#include <algorithm>
#include <array>
#include <span>

#include "engine/io/byte_writer.h"
#include "entities/core/entity_record.h"
#include "entities/core/real_entity.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_pet_entity.h"
#include "entities/projectiles/bobber_entity.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/net_logic.h"
#include "net/wire/wire_out.h"
#include "world/cells/map_block.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/mob_movement.h"

namespace {

// The 12-byte records as the clients read them, fields in order, little-endian.
using Twelve = std::array<uint8_t, 12>;

Twelve impulseBytes(const EntityImpulse& impulse) {
  engine::ByteWriter out;
  out.f32(impulse.strength);
  out.f32(impulse.angle);
  out.u32(impulse.reset);  // the reset flag is the word's low byte
  Twelve bytes{};
  std::copy_n(out.data().begin(), bytes.size(), bytes.begin());
  return bytes;
}

Twelve movementBytes(const MobMovement& movement) {
  engine::ByteWriter out;
  out.u32(movement.state);
  out.f32(movement.speed);
  out.f32(movement.time);
  Twelve bytes{};
  std::copy_n(out.data().begin(), bytes.size(), bytes.begin());
  return bytes;
}

}  // namespace

template <class E>
E* NetLogic::announce(E* created) {
  if (const auto* entity = entity_cast<RealEntity>(static_cast<const Entity*>(created))) {
    EntityRecord record;
    entity->toRecord(record);
    sendToAll(wire::hostMessage(wire::EntityMsg::EntityRecord).entityRecord(record));
  }
  return created;
}

void NetLogic::effectMadeEntity(Entity* entity) { announce(entity); }

Entity* NetLogic::spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) {
  return announce(LocalLogic::spawnItemEntity(std::move(item), position, speed, angle, flags));
}

// The item passes to the entity: the record is written from the entity, never from the item.
Entity* NetLogic::spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) {
  Entity* drop = announce(LocalLogic::spawnItemDrop(std::move(item), position, flags));
  if (drop != nullptr && editing_ != nullptr) mined_.record(drop->id(), editing_->playerId());
  return drop;
}

Entity* NetLogic::spawnTreasureEntity(const Item& shown, engine::Vec2 position, engine::Vec2 motion, MapBlock* cell) {
  return announce(LocalLogic::spawnTreasureEntity(shown, position, motion, cell));
}

Entity* NetLogic::spawnFruit(uint16_t fruitId, MapBlock& cell, uint8_t mode) {
  return announce(LocalLogic::spawnFruit(fruitId, cell, mode));
}

Entity* NetLogic::shootProjectile(Item* held, PlayerBase* player, engine::Vec2 position, engine::Vec2 aim,
                                  uint8_t flags) {
  return announce(LocalLogic::shootProjectile(held, player, position, aim, flags));
}

MobEntity* NetLogic::spawnMob(const MobDef* mob, engine::Vec2 position, engine::Vec2 motion, uint8_t forced,
                              PlayerBase* owner, uint8_t group) {
  return announce(LocalLogic::spawnMob(mob, position, motion, forced, owner, group));
}

Entity* NetLogic::spawnDress(ItemPtr item, engine::Vec2 position, engine::Vec2 motion) {
  return announce(LocalLogic::spawnDress(std::move(item), position, motion));
}

Entity* NetLogic::spawnFish(const FishCatch& fish, MapBlock& cell, Entity* spawner) {
  return announce(LocalLogic::spawnFish(fish, cell, spawner));
}

// ---- Motion and state ----

void NetLogic::pushEntitiesOutOfCell(MapBlock& cell) {
  LocalLogic::pushEntitiesOutOfCell(cell);
  sendToAll(wire::hostMessage(wire::EntityMsg::CellTurnedSolid).cell(cell.x, cell.y));
}

void NetLogic::reportRemovedEntities(const uint32_t* ids, uint32_t count) {
  if (ids == nullptr || count == 0) return;
  mined_.forget(std::span<const uint32_t>(ids, count));
  wire::WireOut out = wire::hostMessage(wire::EntityMsg::EntitiesRemoved);
  out.count(count);
  for (uint32_t i = 0; i < count; ++i) out.u32(ids[i]);
  sendToAll(out);
}

void NetLogic::wakeEntity(Entity* entity) {
  if (entity == nullptr) return;
  LocalLogic::wakeEntity(entity);
  const EntityData& data = entity->data;
  // The drift goes as the message's four raw bytes: the float's own, as every f32 of the wire.
  engine::ByteWriter drift;
  drift.f32(data.impulseX);
  sendToAll(wire::hostMessage(wire::EntityMsg::EntityPush).u32(entity->id()).point(data.x, data.y).raw(drift.data()));
}

void NetLogic::leapEntity(Entity* entity, float strength, float angle) {
  if (entity == nullptr) return;
  LocalLogic::leapEntity(entity, strength, angle);
  const EntityData& data = entity->data;
  sendToAll(wire::hostMessage(wire::EntityMsg::MobMotion).u32(entity->id()).point(data.impulseX, data.impulseY).point(data.x, data.y));
}

void NetLogic::pushEntity(Entity* entity, const EntityImpulse& impulse) {
  if (entity == nullptr) return;
  LocalLogic::pushEntity(entity, impulse);
  const EntityData& data = entity->data;
  sendToAll(wire::hostMessage(wire::EntityMsg::EntityImpulse)
                .u32(entity->id())
                .point(data.x, data.y)
                .raw(impulseBytes(impulse)));
}

void NetLogic::knockBackMob(MobEntity* mob, float strength, float angle, bool reset, const MapBlock* attackerCell) {
  if (mob == nullptr) return;
  LocalLogic::knockBackMob(mob, strength, angle, reset, attackerCell);
  const bool withCell = attackerCell != nullptr;
  sendToAll(wire::hostMessage(wire::EntityMsg::MobKnockBack)
                .u8(reset ? 1 : 0)
                .u8(withCell ? 1 : 0)
                .u32(mob->id())
                .point(mob->data.x, mob->data.y)
                .f32(strength)
                .f32(angle)
                .cell(withCell ? attackerCell->x : 0, withCell ? attackerCell->y : 0));
}

void NetLogic::steerMob(MobEntity* mob, const MobMovement& movement) {
  if (mob == nullptr) return;
  LocalLogic::steerMob(mob, movement);
  sendToAll(wire::hostMessage(wire::EntityMsg::MobImpulse)
                .u32(mob->id())
                .point(mob->data.x, mob->data.y)
                .raw(movementBytes(movement)));
}

void NetLogic::teleportPet(MobPetEntity* pet, MapBlock& cell) {
  if (pet == nullptr) return;
  pet->teleportToCell(cell);
  sendToAll(wire::hostMessage(wire::EntityMsg::PetCell).u32(pet->id()).cell(cell.x, cell.y));
}

void NetLogic::reportMobPosition(MobEntity* mob, uint8_t flag) {
  if (mob == nullptr) return;
  const float walk = mob->walkingSpeed();
  sendToAll(wire::hostMessage(wire::EntityMsg::MobPosition).u32(mob->id()).point(mob->data.x, mob->data.y).f32(walk).u8(flag));
}

void NetLogic::reportMobState(MobEntity* mob) {
  if (mob == nullptr) return;
  sendToAll(wire::hostMessage(wire::EntityMsg::MobState).u32(mob->id()).u8(static_cast<uint8_t>(mob->state)));
}

void NetLogic::startMobAttack(MobEntity* mob, bool) { reportMobState(mob); }

void NetLogic::restEntity(Entity* entity) {
  if (entity == nullptr) return;
  LocalLogic::restEntity(entity);
  sendToAll(wire::hostMessage(wire::EntityMsg::EntityEvent).u32(entity->id()));
}

// The clients place the bobber on the cell of the second point, then at the first: the cell's
// own centre names that cell whatever the bobber's offset within it.
void NetLogic::setBobberState(BobberEntity* bobber, uint8_t state) {
  if (bobber == nullptr) return;
  LocalLogic::setBobberState(bobber, state);
  const EntityData& data = bobber->data;
  sendToAll(wire::hostMessage(wire::EntityMsg::Bobber).u8(state).u32(bobber->id()).point(data.x, data.y).point(data.cellX, data.cellY));
}
