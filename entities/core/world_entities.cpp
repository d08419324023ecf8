#include "entities/core/world_entities.h"

#include "entities/core/entity_body.h"
#include "entities/core/entity_record.h"
#include "entities/core/entity_drawings.h"
#include "entities/particles/debris_presets.h"
#include "content/tables/content_tables.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_flyer_entity.h"
#include "entities/mobs/mob_spawning.h"
#include "world/blocks/stable.h"
#include "world/entities/world_entity_places.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint8_t kBlastDamageType = 10;

bool isMobKind(EntityKind kind) { return kind == EntityKind::Mob || kind == EntityKind::Pet; }

bool fliesAside(const RealEntity& entity) { return dynamic_cast<const MobFlyerEntity*>(&entity) != nullptr; }

// A list entity's body: a mob or a pet keeps its group, its pet mark and its state.
Body realBodyOf(const RealEntity& entity) {
  Body body = bodyOf(entity, isMobKind(entity.kind()) ? BodyGroup::Mob : BodyGroup::Entity, entity.id());
  if (entity.kind() == EntityKind::Pet) body.flags |= body_flag::kPet;
  if (const MobEntity* mob = mobOf(entity)) body.mobState = static_cast<uint8_t>(mob->state);
  return body;
}

}  // namespace

WorldEntities::~WorldEntities() { clearAll(); }

std::unique_ptr<EntityStore> WorldEntitiesMaker::make(World& world) {
  auto lists = std::make_unique<WorldEntities>(world);
  lists->setFishingOwners(owners_);
  lists->adoptWaitingMobs();
  return lists;
}

// Saved mobs come back as they were kept, whatever the rules would allow now; the stables then
// make their animals through the rules, which now reach these lists.
void WorldEntities::adoptWaitingMobs() {
  if (world_ == nullptr) return;
  std::vector<MobSpawner::PendingMob>& waiting = world_->mobSpawner().pendingMobs();
  for (const MobSpawner::PendingMob& m : waiting) {
    const MobDef* row = mobDefinitionById(m.mobId);
    if (row == nullptr || world_->map().cellAt(m.x, m.y) == nullptr) continue;
    const engine::Vec2 at{static_cast<float>(m.x) * MovingEntity::kCell, static_cast<float>(m.y) * MovingEntity::kCell};
    if (std::unique_ptr<MobEntity> mob = createMobEntity(*world_, *row, m.group, at, {0.15f, 1.5707964f})) {
      add(std::move(mob));
    }
  }
  waiting.clear();
  recountMobs(*this);
  for (const auto& entity : world_->stables()) {
    entity->spawnRestoredAnimals();
  }
}

MobEntity* WorldEntities::mobById(EntityId id) const {
  RealEntity* entity = mobs_.findById(id);
  return entity != nullptr ? mobOf(*entity) : nullptr;
}

// A pet follows its owner through the wall; a creature of the air (a butterfly at the player's
// head, a bat) flutters out of a cell that closes: neither keeps a player from building there.
bool WorldEntities::blocksPlacementIn(const MapBlock& cell) {
  bool found = false;
  forEach([&](const RealEntity& e) {
    found = found || (e.data.cell == &cell && !e.data.removed && e.kind() != EntityKind::Pet && !fliesAside(e));
  });
  return found;
}

EntityId WorldEntities::idOf(MobEntity* mob) { return mob != nullptr ? mob->id() : kNoEntity; }

bool WorldEntities::cellOf(EntityId id, int32_t& x, int32_t& y) {
  const MobEntity* mob = mobById(id);
  if (mob == nullptr || mob->data.removed || mob->data.cell == nullptr) return false;
  x = mob->data.cell->x;
  y = mob->data.cell->y;
  return true;
}

engine::Vec2 WorldEntities::positionOf(EntityId id) {
  const MobEntity* mob = mobById(id);
  return mob != nullptr ? engine::Vec2{mob->data.x, mob->data.y} : engine::Vec2{};
}

void WorldEntities::setStable(EntityId id, BlockEntityHandle stable) {
  if (MobEntity* mob = mobById(id)) mob->inStable = static_cast<bool>(stable);
}

void WorldEntities::markRemoved(EntityId id) {
  if (MobEntity* mob = mobById(id)) mob->remove();
}

void WorldEntities::broadcastEffect(EntityId id, uint8_t effect) {
  MobEntity* mob = mobById(id);
  if (mob != nullptr && world_ != nullptr) world_->rules().broadcastEffect(mob, effect, 0);
}

EntityLayer& WorldEntities::layerFor(EntityKind kind) {
  switch (kind) {
    case EntityKind::Bullet:
    case EntityKind::Bobber:
      return bullets_;
    case EntityKind::Dress:
      return dresses_;
    case EntityKind::Mob:
    case EntityKind::Pet:
      return mobs_;
    default:
      return treasures_;
  }
}

RealEntity& WorldEntities::add(std::unique_ptr<RealEntity> entity) {
  if (entity->id() == kNoEntity) entity->setId(takeId());
  // A peer's id is kept; later ids of our own start past it, so none is given twice. Records refuse
  // ids past kMaxEntityId, and an id past it from anywhere else never moves the counter, so it
  // cannot wrap to ids others hold.
  if (entity->id() >= nextId_ && entity->id() <= EntityRecord::kMaxEntityId) nextId_ = entity->id() + 1;
  RealEntity& added = layerFor(entity->kind()).add(std::move(entity));
  if (world_ != nullptr && world_->context().drawings != nullptr) world_->context().drawings->attach(added);
  return added;
}

uint32_t WorldEntities::count() const {
  return static_cast<uint32_t>(treasures_.size() + bullets_.size() + dresses_.size() + mobs_.size());
}

void WorldEntities::clearAll() {
  treasures_.clear();
  mobs_.clear();
  bullets_.clear();
  dresses_.clear();
  debris_.clear();
  accumulator_.reset();
  removals_.clear();
}

void WorldEntities::dropOwner(uint32_t playerId) {
  if (playerId == 0) return;
  for (EntityLayer* layer : {&treasures_, &mobs_, &bullets_, &dresses_}) {
    for (size_t i = 0; i < layer->size(); ++i) layer->at(i).forgetOwner(playerId);
  }
}

uint32_t WorldEntities::advance(float frameSeconds) {
  const uint32_t ticks = accumulator_.addFrame(frameSeconds);
  for (uint32_t i = 0; i < ticks; ++i) tick();
  return ticks;
}

void WorldEntities::tick() {
  removals_.clear();
  if (world_ == nullptr) return;
  if (!world_->mobSpawner().pendingMobs().empty()) adoptWaitingMobs();
  // Items first, then the mobs, then what flies and what is shown: a mob hit by a projectile is
  // pushed after its own step and moves at the next.
  treasures_.step(removals_);
  mobs_.step(removals_);
  bullets_.step(removals_);
  dresses_.step(removals_);
  debris_.step();
  if (removals_.count() != 0 && worldHasRules(*world_)) {
    world_->rules().reportRemovedEntities(removals_.ids(), removals_.count());
  }
}

RealEntity* WorldEntities::findById(EntityId id) const {
  if (RealEntity* found = treasures_.findById(id)) return found;
  if (RealEntity* found = mobs_.findById(id)) return found;
  if (RealEntity* found = bullets_.findById(id)) return found;
  return dresses_.findById(id);
}

void WorldEntities::wakeEntitiesAbove(MapBlock& cell) {
  if (world_ == nullptr) return;
  LogicEntities& rules = world_->rules();
  const MapBlock* above = cell.neighbourUp(world_->map());
  // Collected first: waking goes through the rules, which may add entities to the lists.
  std::vector<EntityId>& woken = wakeScratch_;
  woken.clear();
  treasures_.forEach([&](const RealEntity& e) {
    if (!e.data.frozen && !e.data.moving && !e.data.removed && above != nullptr && e.data.cell == above) {
      woken.push_back(e.id());
    }
  });
  // A mob standing on the cell falls when the cell under it goes, whatever it was doing.
  mobs_.forEach([&](const RealEntity& e) {
    if (!e.data.removed && above != nullptr && e.data.cell == above) woken.push_back(e.id());
  });
  bullets_.forEach([&](const RealEntity& e) {
    if (e.data.frozen && !e.data.removed && e.wakesOnCellChange() && (e.data.cell == above || e.data.cell == &cell)) {
      woken.push_back(e.id());
    }
  });
  for (EntityId id : woken) {
    if (RealEntity* entity = findById(id)) rules.wakeEntity(entity);
  }
}

void WorldEntities::markForRemoval(Entity* entity) {
  if (entity != nullptr) entity->data.removed = true;
}

void WorldEntities::spawnCutDebris(uint16_t blockId, uint8_t variant, bool back, uint32_t count, engine::Vec2,
                                   MapBlock& cell, uint8_t size) {
  ::spawnCutDebris(debris_, blockId, variant, back, count, cell, size);
}

void WorldEntities::spawnBlastDebris(const MapBlock& cell) {
  constexpr uint16_t kBlastList = 14;
  constexpr uint32_t kBlastPieces = 10;
  constexpr float kBlastScatter = 15;
  if (world_ == nullptr) return;
  MapBlock* at = world_->map().cellAt(cell.x, cell.y);
  if (at != nullptr) spawnTileDebris(debris_, kBlastList, kBlastPieces, *at, kBlastScatter, false);
}

void WorldEntities::collectAll(std::vector<Body>& out) {
  forEach([&out](const RealEntity& e) { out.push_back(realBodyOf(e)); });
  debris_.collectAll(out);
}

void WorldEntities::collectInCell(const MapBlock& cell, std::vector<Body>& out) {
  forEach([&](const RealEntity& e) {
    if (e.data.cell == &cell) out.push_back(realBodyOf(e));
  });
  debris_.collectInCell(cell, out);
}

void WorldEntities::push(const Body& body, float strength, float angle) {
  if (body.group == BodyGroup::Debris) debris_.push(body, strength, angle);
  if (body.group != BodyGroup::Entity && body.group != BodyGroup::Mob) return;
  if (RealEntity* entity = findById(body.id)) entity->addImpulse(strength, angle, false);
}

bool WorldEntities::hurt(const Body& body, float amount) {
  if (body.group != BodyGroup::Entity && body.group != BodyGroup::Mob) return false;
  RealEntity* entity = findById(body.id);
  if (entity == nullptr || entity->data.removed) return false;
  MobEntity* mob = body.group == BodyGroup::Mob ? mobOf(*entity) : nullptr;
  if (mob == nullptr) return true;
  mob->applyDamage(amount, kBlastDamageType, nullptr);
  return mob->alive;
}
