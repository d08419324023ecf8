#include "entities/mobs/mob_entity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "content/tables/content_tables.h"
#include "content/tables/difficulty_row.h"
#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "entities/core/entity_record.h"
#include "world/entities/world_entity_places.h"
#include "world/map/world_map.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr float kStartTimer = 60.0f;

}  // namespace

MobEntity::MobEntity(World& world, EntityKind kind, const MobDef& row, uint8_t group, engine::Vec2 position,
                     engine::Vec2 motion)
    : RealEntity(world, kind, blockAtPoint(world.map(), position), position, row.rowValue(), motion.x, motion.y, 0),
      populationGroup(group),
      health(row.maxHealth()),
      aiOn(true),
      row_(&row) {
  data.halfWidth = row.width() / 2.0f;
  data.halfHeight = row.height() / 2.0f;
  timer = kStartTimer;
  world.mobSpawner().addToGroup(group);
  counted_ = true;
}

MobEntity::MobEntity(World& world, const MobDef& row, const EntityData& physics)
    : RealEntity(world, physics), health(row.maxHealth()), row_(&row) {}

MobAiKind MobEntity::aiKind() const { return static_cast<MobAiKind>(row_->movementKind() & 3); }

float MobEntity::healthFraction() const {
  const float most = row_->maxHealth();
  return most > 0 ? health / most : 0.0f;
}

float MobEntity::unit() { return static_cast<float>(engine::randomNext()) / 32767.0f; }

bool MobEntity::chance(float p) { return static_cast<float>(engine::randomNext()) / 32768.0f < p; }

MapBlock* MobEntity::cellAtOffset(int32_t dx, int32_t dy) const {
  if (data.cell == nullptr) return nullptr;
  return cellAt(map(), data.cell->x + dx, data.cell->y + dy);
}

uint8_t MobEntity::cycleFrames(int8_t& frame, uint8_t first, uint8_t second) {
  if (frame < 12) {
    ++frame;
    return first;
  }
  frame = static_cast<int8_t>((frame + 1) % 24);
  return second;
}

bool MobEntity::passable(int32_t x, int32_t y) const { return blockHasFlagAt(map(), x, y); }

void MobEntity::update() {
  timer -= 1.0f;
  recover();
  updateAnimation();
  const MapBlock* before = data.cell;
  if (data.moving && !data.frozen) {
    if (state == mob_state::kLeaping && data.vy < 0) state = mob_state::kPushed;
    move();
  }
  if (hasRules() && !data.removed) {
    // Refreshed on resting mobs too: a cell that floods under a sleeping mob drowns it.
    liquidKind = data.cell != nullptr ? data.cell->liquidKindBits() : 0;
    if (data.moving && row_->hasFlag(mob_flag::kContact) && state != mob_state::kHalted &&
        world().rules().touchPlayersNearMob(this) && aiKind() == MobAiKind::Jumper) {
      bounceOffPlayer();
    }
  }
  if (aiOn && state != mob_state::kHalted && !data.removed) think();
  drawPosition();
  if (data.cell != before) drawLight();
}

void MobEntity::bounceOffPlayer() {
  const float spread = uniform(-20.0f, 20.0f);
  const float degrees = (data.vx > 0 ? 135.0f : 45.0f) + spread;
  world().rules().pushEntity(this, EntityImpulse{2.0f + unit(), mobDegrees(degrees), 1});
}

void MobEntity::recover() {
  if (state == mob_state::kHalted && timer <= 0) {
    state = mob_state::kIdle;
    drawLight();
  }
}

void MobEntity::onStop() {
  if (hasRules()) aiOn = true;
}

void MobEntity::addImpulse(float strength, float angle, bool reset) {
  MovingEntity::addImpulse(strength, angle, reset);
  aiOn = false;
  state = mob_state::kPushed;
}

void MobEntity::setImpulse(engine::Vec2 impulse) {
  MovingEntity::setImpulse(impulse);
  if (hasRules()) aiOn = true;
}

void MobEntity::leap(float strength, float angle) {
  state = mob_state::kLeaping;
  timer = 100.0f;
  addImpulse(strength, angle, true);
  facingRight_ = data.impulseX > 0;
}

void MobEntity::knockBack(float strength, float angle, bool flag, const MapBlock* cell) {
  MovingEntity::addImpulse(strength, angle, true);
  aiOn = false;
  state = mob_state::kPushed;
  facingRight_ = data.impulseX > 0;
  knockFlag = flag;
  if (cell != nullptr) knockCell = cell;
}

bool MobEntity::applyDamage(float amount, uint8_t type, MobAttacker* attacker) {
  if (!alive) return false;
  World& w = world();
  if (attacker != nullptr) amount *= difficultyMobDamageFactor(w.difficulty());
  if (type < 4) {
    int resistance = row_->resistance(type);
    if (attacker != nullptr && attacker->halvesResistance()) resistance >>= 1;
    amount *= static_cast<float>(100 - resistance) / 100.0f;
  }
  const float dealt = std::min(amount, health);
  health -= amount;
  if (health <= 0) {
    health = 0;
    alive = false;
  }
  LogicEntities& rules = w.rules();
  LogicDamage& damage = w.rules();
  if (!alive) {
    if (attacker != nullptr && !w.isCreative()) attacker->recordKill(row_->mobId());
    rules.broadcastEffect(this, kDeathEffect, 0);
    damage.dropMobLoot(this, attacker != nullptr ? attacker->lootFactor() : 1.0f,
                      attacker != nullptr ? attacker->lootBonus() : 0.0f);
    if (!data.removed) {
      remove();
      // The death effect the start-up registered for the row (splits, blasts, released mobs).
      const auto& effects = contentTables().mobDeathEffects;
      const uint16_t id = row_->mobId();
      if (id < effects.size() && effects[id]) effects[id](this, world());
    }
    return true;
  }
  rules.broadcastEffect(this, kHurtEffect, static_cast<uint16_t>(healthFraction() * 255.0f));
  timer = row_->idleTime();
  if (attacker != nullptr && !w.isCreative()) {
    const float steal = attacker->lifeSteal();
    if (steal > 0) attacker->gainHealth(std::min(steal, dealt));
  }
  return false;
}

void MobEntity::remove() {
  if (counted_) world().mobSpawner().removeFromGroup(populationGroup);
  counted_ = false;
  data.removed = true;
  populationGroup = 0;
  inStable = false;
}

uint16_t MobEntity::rowIndex() const {
  const auto& rows = contentTables().mobDefs;
  const std::less<const MobDef*> before;
  if (!before(row_, rows.data()) && before(row_, rows.data() + rows.size())) {
    return static_cast<uint16_t>(row_ - rows.data());
  }
  return row_->mobId();
}

void MobEntity::toRecord(EntityRecord& record) const {
  RealEntity::toRecord(record);
  record.extra = 0;
  record.definition = rowIndex();
  record.kindByte = 0;
  record.frozen = 0;
}
