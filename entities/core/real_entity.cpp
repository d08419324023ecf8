#include "entities/core/real_entity.h"

#include "entities/core/entity_record.h"
#include "world/cells/map_block.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

bool driftsWithLiquid(EntityKind kind) {
  return kind != EntityKind::Mob && kind != EntityKind::Pet && kind != EntityKind::Bobber;
}

bool burnsInLava(EntityKind kind) {
  return kind == EntityKind::Treasure || kind == EntityKind::Fruit || kind == EntityKind::Toy;
}

float submergedFactor(EntityKind kind) {
  if (kind == EntityKind::Mob || kind == EntityKind::Pet) return 0.95f;
  if (kind == EntityKind::Bobber) return 0.8f;
  return 0.5f;
}

}  // namespace

bool worldHasRules(const World& world) { return world.context().rules != nullptr; }

bool RealEntity::hasRules() const { return worldHasRules(world()); }

void RealEntity::collide() {
  MovingEntity::collide();
  applyLiquid();
}

bool applyLiquidMotion(EntityData& data) {
  float factor = 0.99f;
  bool submerged = false;
  const MapBlock* cell = data.cell;
  const int a = cell != nullptr ? cell->liquidLevelA() : 0;
  const int b = cell != nullptr ? cell->liquidLevelB() : 0;
  if (cell != nullptr && a + b > 0) {
    const float slope = static_cast<float>(a - b) * 0.25f;
    const float surface = (data.x - data.cellX - MovingEntity::kHalfCell) * slope + b * 7.5f;
    submerged = surface > (data.y - data.cellY) - MovingEntity::kHalfCell ||
                (data.y - data.halfHeight) - (data.cellY - MovingEntity::kHalfCell) < 0.05f;
    if (submerged) factor = submergedFactor(data.kind);
    if (driftsWithLiquid(data.kind)) {
      if (b < a) data.vx -= 0.8f;
      if (b > a) data.vx += 0.8f;
      data.vy -= 1.0f;
    }
  }
  data.vx *= factor;
  data.vy *= factor;
  return submerged;
}

void RealEntity::applyLiquid() {
  if (!applyLiquidMotion(data)) return;
  if (hasRules() && burnsInLava(data.kind) && data.cell->liquidKind() == LiquidKind::Lava) {
    world().rules().broadcastEffect(this, kLavaEffect, 0);
    data.removed = true;
  }
}

void RealEntity::toRecord(EntityRecord& record) const {
  record = EntityRecord{};
  record.entityId = id();
  record.state = data;
}
