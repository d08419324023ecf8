#include "entities/mobs/mob_pet_entity.h"

#include <cmath>
#include <cstdlib>

#include "entities/core/cell_operations.h"
#include "world/cells/cell_sides.h"
#include "world/cells/block_flags.h"
#include "world/cells/map_block.h"
#include "world/entities/world_entity_places.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {


bool hasLiquidKindAt(const MapBlock* c) { return c != nullptr && c->hasLiquidKind(); }

}  // namespace

MobPetEntity::MobPetEntity(World& world, const MobDef& row, uint32_t ownerId, engine::Vec2 position)
    : MobJumperEntity(world, EntityKind::Pet, row, kPetGroup, position, {0, 0}), ownerId_(ownerId) {
  path_.reserve(CellPathFinder::kNodeLimit);
}

MobPetEntity::MobPetEntity(World& world, const MobDef& row, const EntityData& physics)
    : MobJumperEntity(world, row, physics) {}

void MobPetEntity::forgetOwner(uint32_t playerId) {
  if (playerId == ownerId_) ownerId_ = 0;
}

bool MobPetEntity::onDryFloor(const MapBlock* cell) const {
  if (cell == nullptr || hasLiquidKindAt(cell)) return false;
  const MapBlock* below = cell->neighbourDown(map());
  return below != nullptr && blocksEntryFromAbove(below, map().props());
}

bool MobPetEntity::standsOnGround(const Logic::PlayerSpot& owner) const {
  return owner.present && owner.grounded && onDryFloor(owner.cell);
}

void MobPetEntity::teleportToCell(MapBlock& cell) {
  data.x = data.cellX = static_cast<float>(cell.x) * kCell;
  data.y = data.cellY = static_cast<float>(cell.y) * kCell;
  data.cell = &cell;
  data.vx = data.vy = data.impulseX = data.impulseY = 0;
  path_.clear();
  passThrough = false;
  tries = 0;
  dropCell = nullptr;
  lastLeapCell = nullptr;
  aiOn = false;
  data.moving = true;
  drawLight();
  if (hasRules()) world().rules().playCellEffect(nullptr, cell, kArriveEffect, EffectAudience::AllButActor);
}

void MobPetEntity::planPathToOwner(const Logic::PlayerSpot& owner, MapBlock* previous) {
  MapBlock* goal = owner.cell;
  MapBlock* start = data.cell;
  if (goal == nullptr || start == nullptr || start == goal) return;
  CellPathFinder& finder = world().pathFinder();
  if (previous != nullptr && !path_.empty()) {
    if (path_.size() > 2 && path_[path_.size() - 2].cell == goal) {
      path_.pop_back();
      return;
    }
    const MapBlock* joint = path_.size() <= 2 ? path_.back().cell : path_[path_.size() - 2].cell;
    if (joint == previous) {
      tries = 0;
      if (finder.findPath(*previous, *goal)) path_.insert(path_.end(), finder.path().begin(), finder.path().end());
      return;
    }
  }
  const bool goalDry = !hasLiquidKindAt(goal);
  int32_t dx = std::abs(static_cast<int32_t>(start->x) - static_cast<int32_t>(goal->x));
  dx = std::min(dx, map().width() - dx);
  const int32_t dy = std::abs(static_cast<int32_t>(start->y) - static_cast<int32_t>(goal->y));
  if (goalDry && (dx + dy > kFarCells || hasLiquidKindAt(start))) {
    teleportToCell(*goal);
    world().rules().teleportPet(this, *goal);
    return;
  }
  const bool found = finder.findPath(*start, *goal);
  path_.clear();
  passThrough = false;
  tries = 0;
  dropCell = nullptr;
  if (found) {
    path_.assign(finder.path().begin(), finder.path().end());
    timer = 5;
    return;
  }
  if (goalDry && standsOnGround(owner) && !map().props()[goal->frontId()].has(block_flag::kCircuitOutput)) {
    teleportToCell(*goal);
    world().rules().teleportPet(this, *goal);
  }
}

void MobPetEntity::ownerMoved(const Logic::PlayerSpot& owner, MapBlock* left) {
  if (owner.present && onDryFloor(owner.cell)) planPathToOwner(owner, left);
}

void MobPetEntity::think() {
  if (timer > 0 || data.removed || data.cell == nullptr) return;
  const Logic::PlayerSpot owner = world().rules().playerSpot(ownerId_);
  if (!owner.present || owner.cell == nullptr) return;
  if (!path_.empty() && path_.front().cell == data.cell) {
    tries = 0;
    path_.erase(path_.begin());
    lastLeapCell = nullptr;
  } else if (!path_.empty() && ((lastLeapCell != nullptr && lastLeapCell != data.cell) || tries >= kMostTries)) {
    planPathToOwner(owner, nullptr);
  }
  if (path_.empty() && owner.cell != data.cell && standsOnGround(owner)) planPathToOwner(owner, nullptr);
  if (data.removed || timer > 0) return;
  if (path_.empty()) {
    if (owner.cell == data.cell) idleHop();
    return;
  }
  takeStep(path_.front().kind);
}

void MobPetEntity::idleHop() {
  const float o = offset();
  LogicEntities& rules = world().rules();
  if (chance(0.5f) && o >= 0) {
    rules.leapEntity(this, uniform(0.8f, 1.0f), mobDegrees(150.0f - uniform(15.0f, 30.0f)));
  } else if (o < 0) {
    rules.leapEntity(this, uniform(0.8f, 1.0f), mobDegrees(30.0f + uniform(15.0f, 30.0f)));
  } else {
    return;
  }
  timer = uniform(50.0f, 150.0f);
}

void MobPetEntity::stepImpulse(float strength, float degrees, bool through, const MapBlock* drop) {
  ++tries;
  timer = 100;
  world().rules().knockBackMob(this, strength, mobDegrees(degrees), through, drop);
  lastLeapCell = data.cell;
}

void MobPetEntity::hopSide(bool right) {
  const float turn = uniform(15.0f, 30.0f);
  world().rules().leapEntity(this, uniform(1.5f, 2.0f), mobDegrees(right ? 45.0f + turn : 135.0f - turn));
}

void MobPetEntity::takeStep(uint8_t kind) {
  namespace k = step_kind;
  const float o = offset();
  const auto whole = static_cast<float>(std::trunc(o));
  auto lean = [&] { return static_cast<float>(std::clamp(static_cast<int>(std::trunc(o + 3.0f)), 0, 6)); };
  switch (kind) {
    case k::kLeft: return stepImpulse(uniform(2, 3), 150.0f - uniform(15, 30), false);
    case k::kRight: return stepImpulse(uniform(2, 3), 30.0f + uniform(15, 30), false);
    case k::kClimb: return stepImpulse(5, 82.5f + lean() * 1.25f + uniform(0, 7.5f), false);
    case k::kDropThrough: return stepImpulse(1, 82.5f + lean() * 1.25f, false, data.cell);
    case k::kUpRight: return whole < 0 ? stepImpulse(5.5f, 75, true) : hopSide(false);
    case k::kUpLeft: return whole > 0 ? stepImpulse(5.5f, 105, true) : hopSide(true);
    case k::kDropRight: return o >= 2 ? stepImpulse(1.5f, 30.0f + uniform(15, 30), false) : hopSide(true);
    case k::kDropLeft: return o < -2 ? hopSide(false) : stepImpulse(1.5f, 150.0f - uniform(15, 30), false);
    case k::kGapLeft: return whole <= -2 ? stepImpulse(4, 150, false) : hopSide(false);
    case k::kGapRight: return whole >= 2 ? stepImpulse(4, 30, false) : hopSide(true);
    case k::kGapDownLeft: return whole <= -4 ? stepImpulse(2.6f, 150, true) : hopSide(false);
    case k::kGapDownRight: return whole >= 4 ? stepImpulse(2.6f, 30, true) : hopSide(true);
    case k::kGapUpLeft: return whole <= -2 ? stepImpulse(5.4f, 120, true) : hopSide(false);
    case k::kGapUpRight: return whole >= 2 ? stepImpulse(5.4f, 60, true) : hopSide(true);
    default: return;
  }
}

void MobPetEntity::leap(float strength, float angle) {
  ++tries;
  lastLeapCell = nullptr;
  timer = 100;
  addImpulse(strength, angle, true);
  face(data.impulseX > 0);
}

void MobPetEntity::knockBack(float strength, float angle, bool flag, const MapBlock* cell) {
  MobEntity::knockBack(strength, angle, flag, cell);
  passThrough = flag;
  dropCell = cell;
}

void MobPetEntity::onStop() {
  passThrough = false;
  state = mob_state::kIdle;
  if (!hasRules()) return;
  const Logic::PlayerSpot owner = world().rules().playerSpot(ownerId_);
  if (!data.removed && owner.cell != data.cell) timer = (0.75f + 0.25f * unit()) * 5.0f;
  aiOn = true;
}

void MobPetEntity::enterLeftCell() {
  dropCell = nullptr;
  MovingEntity::enterLeftCell();
}

void MobPetEntity::enterRightCell() {
  dropCell = nullptr;
  MovingEntity::enterRightCell();
}

void MobPetEntity::enterUpperCell() {
  dropCell = nullptr;
  MovingEntity::enterUpperCell();
}

void MobPetEntity::enterLowerCell() {
  dropCell = nullptr;
  MovingEntity::enterLowerCell();
}

void MobPetEntity::hitLeftWall() {
  if (passThrough) return enterLeftCell();
  MovingEntity::hitLeftWall();
}

void MobPetEntity::hitRightWall() {
  if (passThrough) return enterRightCell();
  MovingEntity::hitRightWall();
}

void MobPetEntity::hitCeiling() {
  if (passThrough && data.cell != nullptr && data.cell->y < map().height() - 1) return enterUpperCell();
  touchCeiling();
  data.vy *= -0.175f;
}

void MobPetEntity::hitFloor() {
  if (dropCell != nullptr && dropCell == data.cell) {
    enterLowerCell();
    passThrough = false;
    return;
  }
  passThrough = false;
  data.vy *= -0.2f;
  data.vx *= 0.6f;
  touchFloor();
}
