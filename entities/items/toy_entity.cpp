#include "entities/items/toy_entity.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "world/rules/logic.h"
#include "world/world.h"

namespace {
constexpr float kDegrees = 57.29578f;
}  // namespace

ToyEntity::ToyEntity(World& world, ItemPtr item, const ToySpec& spec, uint32_t throwerId, engine::Vec2 position,
                     MapBlock* cell, float speed, float angle, float spread)
    : TreasureEntity(world, EntityKind::Toy, std::move(item), position, cell, speed, angle, spread),
      spec_(&spec),
      throwerId_(throwerId) {}

ToyEntity::ToyEntity(World& world, const EntityRecord& record, const ToySpec& spec)
    : TreasureEntity(world, record), spec_(&spec) {}

void ToyEntity::update() {
  if (!data.moving) {
    if (spec_->facesMotion) rotation = 0;
  } else {
    data.impulseY += std::min(std::fabs(data.vx) * spec_->lift, kMaxLift);
    if (spec_->spins) {
      if (std::fabs(data.vx) >= 0.05f) rotation += data.vx * 5;
    } else if (spec_->facesMotion) {
      rotation = std::atan2(-data.vy, data.vx) * kDegrees;
      int whole = static_cast<int>(rotation) % 360;
      if (whole < 0) whole += 360;
      flipped = whole > 90 && whole < 270;
    }
  }
  if (EntityDrawing* drawing = this->drawing()) drawing->setRotation(rotation);
  treasureUpdate();
}

bool ToyEntity::burst() {
  if (!spec_->bursts) return false;
  if (hasRules()) world().rules().broadcastEffect(this, spec_->burstEffect, 0);
  data.removed = true;
  return true;
}

void ToyEntity::hitLeftWall() {
  if (burst()) return;
  data.vx = -(data.vx * spec_->wallBounce);
  touchLeftWall();
}

void ToyEntity::hitRightWall() {
  if (burst()) return;
  data.vx = -(data.vx * spec_->wallBounce);
  touchRightWall();
}

void ToyEntity::hitFloor() {
  if (burst()) return;
  data.vx *= spec_->wallBounce;
  data.vy = -(data.vy * spec_->floorBounce);
  touchFloor();
}

void ToyEntity::hitCeiling() {
  if (burst()) return;
  data.vy = -(data.vy * spec_->wallBounce);
  touchCeiling();
}
