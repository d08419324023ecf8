// The host's entities on a client: made from their records, moved, stopped and removed as the
// host says. An entity the host names that the client does not have is skipped.
#include <cmath>

#include "engine/io/byte_reader.h"
#include "entities/core/cell_operations.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_pet_entity.h"
#include "entities/projectiles/bobber_entity.h"
#include "entities/records/entity_from_record.h"
#include "game/player/player_desktop.h"
#include "game/rules/collar_capture.h"
#include "net/endpoint/net_client.h"
#include "world/cells/map_block.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr size_t kImpulseBytes = 12;
constexpr int32_t kMobMoving = 4;

constexpr float kCellPixels = 30.0f;

// Puts the entity at the point, on the cell under it; false (nothing changed) off the map rows.
bool placeEntity(Entity& entity, const wire::Point& point) {
  MapBlock* cell = blockAtPoint(entity.world().map(), {point.x, point.y});
  if (cell == nullptr) return false;
  entity.data.x = point.x;
  entity.data.y = point.y;
  entity.data.cell = cell;
  entity.data.cellX = cell->x * kCellPixels;
  entity.data.cellY = cell->y * kCellPixels;
  return true;
}

}  // namespace

RealEntity* NetClient::networkedEntity(uint32_t id) const {
  WorldEntities* lists = entities();
  return lists != nullptr && id != kNoEntity ? lists->findById(id) : nullptr;
}

Entity* NetClient::entityById(uint32_t id) const { return networkedEntity(id); }

void NetClient::handleEntities(wire::WireIn& in, uint8_t) {
  // A mob's position or state, and a cell turned solid follow the host's own rules for mobs,
  // which clients do not make yet.
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::EntityMsg::EntityRecord, &NetClient::entityRecord},
      {wire::EntityMsg::EntitiesRemoved, &NetClient::removeEntities},
      {wire::EntityMsg::EntityImpulse, &NetClient::moveEntity},
      {wire::EntityMsg::MobKnockBack, &NetClient::knockBackMob},
      {wire::EntityMsg::EntityPush, &NetClient::wakeEntity},
      {wire::EntityMsg::MobMotion, &NetClient::moveMob},
      {wire::EntityMsg::MobImpulse, &NetClient::walkMob},
      {wire::EntityMsg::EntityEvent, &NetClient::restEntity},
      {wire::EntityMsg::PetCell, &NetClient::teleportPet},
      {wire::EntityMsg::Bobber, &NetClient::moveBobber},
      {wire::EntityMsg::ItemOffer, &NetClient::itemOffered},
  };
  dispatch(kHandlers, in);
}

void NetClient::entityRecord(wire::WireIn& in) {
  WorldEntities* lists = entities();
  if (lists == nullptr) return;
  if (const std::optional<EntityRecord> record = in.entityRecord()) entityFromRecord(*lists, *record);
}

void NetClient::restEntity(wire::WireIn& in) {
  if (RealEntity* entity = networkedEntity(in.u32())) entity->onRest();
}

// A shot the host ended ends here as it ended there, with what its end shows (a firework's burst):
// its copy here started a moment later and would otherwise go before its own end. Without rules an
// end changes nothing but what is drawn.
void NetClient::removeEntities(wire::WireIn& in) {
  const uint32_t count = in.count();
  for (uint32_t i = 0; i < count; ++i) {
    Entity* entity = entityById(in.u32());
    if (entity == nullptr) continue;
    if (entity->kind() == EntityKind::Bullet && !entity->data.removed) {
      entity->onStop();
    } else {
      entity->data.removed = true;
    }
  }
}

// [5][79]: the entity where the host has it, with an impulse (f32 strength, f32 angle, u8 reset).
void NetClient::moveEntity(wire::WireIn& in) {
  RealEntity* entity = networkedEntity(in.u32());
  const wire::Point point = in.point();
  engine::ByteReader impulse(in.raw(kImpulseBytes));
  const float strength = impulse.f32();
  const float angle = impulse.f32();
  const bool reset = impulse.u8() != 0;
  if (entity == nullptr || !std::isfinite(strength) || !std::isfinite(angle)) return;
  if (placeEntity(*entity, point)) entity->addImpulse(strength, angle, reset);
}

// [5][81]: a resting entity the host woke, where the host has it, drifting sideways (four bytes: an f32).
void NetClient::wakeEntity(wire::WireIn& in) {
  RealEntity* entity = networkedEntity(in.u32());
  const wire::Point point = in.point();
  const float drift = engine::ByteReader(in.raw(sizeof(float))).f32();
  if (entity == nullptr || !std::isfinite(drift)) return;
  if (placeEntity(*entity, point)) entity->setImpulse({drift, 0});
}

void NetClient::knockBackMob(wire::WireIn& in) {
  const bool flag = in.u8() != 0;
  const bool withCell = in.u8() == 1;
  auto* mob = entity_cast<MobEntity>(networkedEntity(in.u32()));
  const wire::Point point = in.point();
  const float strength = in.f32();
  const float angle = in.f32();
  const MapBlock* attacker = withCell ? cellOf(in.cell()) : nullptr;
  if (mob != nullptr && placeEntity(*mob, point)) mob->knockBack(strength, angle, flag, attacker);
}

void NetClient::moveMob(wire::WireIn& in) {
  auto* mob = entity_cast<MobEntity>(networkedEntity(in.u32()));
  const wire::Point velocity = in.point();
  const wire::Point point = in.point();
  if (mob == nullptr || !placeEntity(*mob, point)) return;
  mob->data.vx = velocity.x;
  mob->data.vy = velocity.y;
  mob->state = kMobMoving;
  mob->data.moving = true;
  mob->face(velocity.x > 0);
}

// [5][83]: a walk the host's rules chose for a mob, from where the host has it (u32 left or right,
// f32 speed, f32 seconds). Clients do not think for mobs: without it a walker stands where it was
// made while the host's walks away.
void NetClient::walkMob(wire::WireIn& in) {
  auto* mob = entity_cast<MobEntity>(networkedEntity(in.u32()));
  const wire::Point point = in.point();
  engine::ByteReader walk(in.raw(kImpulseBytes));
  const auto direction = static_cast<int32_t>(walk.u32());
  const float speed = walk.f32();
  const float time = walk.f32();
  const bool walking = direction == mob_state::kWalkingLeft || direction == mob_state::kWalkingRight;
  if (mob == nullptr || !walking || !std::isfinite(speed) || !std::isfinite(time)) return;
  if (placeEntity(*mob, point)) mob->startWalk(direction, speed, time);
}

void NetClient::teleportPet(wire::WireIn& in) {
  auto* pet = entity_cast<MobPetEntity>(networkedEntity(in.u32()));
  MapBlock* cell = cellOf(in.cell());
  if (pet != nullptr && cell != nullptr) pet->teleportToCell(*cell);
}

void NetClient::moveBobber(wire::WireIn& in) {
  const uint8_t state = in.u8();
  auto* bobber = entity_cast<BobberEntity>(networkedEntity(in.u32()));
  const wire::Point point = in.point();
  const wire::Point anchor = in.point();
  if (bobber == nullptr || !placeEntity(*bobber, anchor)) return;
  bobber->data.x = point.x;
  bobber->data.y = point.y;
  bobber->setState(state);
}

// [5][91]: the host offers the local player an item entity's item; it answers when asked.
void NetClient::itemOffered(wire::WireIn& in) {
  const uint32_t id = in.u32();
  const wire::PooledItem item = wire::itemFromWire(in);
  const bool answerWanted = in.u8() != 0;
  // A capture's offer names the mob: the host gives its item only to a hand that still holds a
  // collar as she answers, so her game takes it on the same terms and keeps what the host keeps.
  const bool capture = entity_cast<MobEntity>(entityById(id)) != nullptr;
  const bool taken = localPlayer_ != nullptr && item != nullptr &&
                     (!capture || isTamingCollar(localPlayer_->heldItem())) && localPlayer_->pickUpItem(*item);
  if (answerWanted) sendMessage(message(taken ? wire::EntityMsg::ItemTaken : wire::EntityMsg::ItemNotTaken).u32(id));
}
