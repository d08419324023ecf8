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

void RealEntity::applyLiquid() {
  float factor = 0.99f;
  const MapBlock* cell = data.cell;
  const int a = cell != nullptr ? cell->liquid & 7 : 0;
  const int b = cell != nullptr ? (cell->liquid >> 3) & 7 : 0;
  if (cell != nullptr && a + b > 0) {
    const float surface = (data.x - data.cellX - kHalfCell) * static_cast<float>(a - b) * 0.25f + b * 7.5f;
    const bool submerged = surface > (data.y - data.cellY) - kHalfCell ||
                           (data.y - data.halfHeight) - (data.cellY - kHalfCell) < 0.05f;
    if (submerged) {
      factor = submergedFactor(data.kind);
      if (hasRules() && burnsInLava(data.kind) && cell->liquidKind() == LiquidKind::Lava) {
        world().rules().broadcastEffect(this, kLavaEffect, 0);
        data.removed = true;
      }
    }
    if (driftsWithLiquid(data.kind)) {
      if (b < a) data.vx -= 0.8f;
      if (b > a) data.vx += 0.8f;
      data.vy -= 1.0f;
    }
  }
  data.vx *= factor;
  data.vy *= factor;
}

void RealEntity::toRecord(EntityRecord& record) const {
  record = EntityRecord{};
  record.entityId = id();
  record.state = data;
}
