#include "entities/particles/debris_entity.h"

#include "entities/core/real_entity.h"
#include "entities/particles/debris_behaviors.h"
#include "entities/particles/debris_count.h"
#include "world/cells/direction.h"
#include "world/cells/map_block.h"
#include "world/world.h"

DebrisEntity::DebrisEntity(World& world, BuilderPosition& position, DebrisImpulseBuilder& impulse,
                           DebrisRectBuilder& rect, DebrisLayer layer, DebrisMotion debrisMotion,
                           const DebrisBehaviors& behaviors)
    : DebrisEntity(world, position.build(world.map()), impulse.build(), rect, layer, debrisMotion, behaviors) {}

DebrisEntity::DebrisEntity(World& world, DebrisStart start, DebrisImpulse impulse, DebrisRectBuilder& rect,
                           DebrisLayer layer, DebrisMotion debrisMotion, const DebrisBehaviors& behaviors)
    : MovingEntity(world, EntityKind::None, start.cell, start.point, 0, impulse.strength, impulse.angle, 0),
      motion(debrisMotion),
      behaviors_(&behaviors) {
  if (behaviors_->progress != nullptr) progress = behaviors_->progress->startValue();
  rectList = rect.list();
  debrisCount().countBorn();
  look.rect = rect.build();
  look.layer = layer;
  data.halfWidth = look.rect.width / 2.0f;
  data.halfHeight = look.rect.height / 2.0f;
  // Without a light behaviour the particle takes its cell's flat light once and keeps it.
  if (behaviors_->light != nullptr) {
    behaviors_->light->apply(data.cell, this);
  } else {
    lightDefault().apply(data.cell, this);
  }
  if (behaviors.setup != nullptr) behaviors.setup->apply(this);
}

DebrisEntity::~DebrisEntity() { debrisCount().countGone(); }

uint8_t DebrisEntity::darkness() const { return static_cast<uint8_t>(world().dayClock().darkness); }

void DebrisEntity::update() {
  const MapBlock* before = data.cell;
  if (motion.moves) {
    data.impulseY += motion.lift;
    if (behaviors_->physics != nullptr) behaviors_->physics->apply(1.0f, this, data);
    if (!data.removed) {
      move();
      if (motion.liquidRules && data.moving) applyLiquidMotion(data);
    }
  }
  if (behaviors_->progress != nullptr) {
    behaviors_->progress->apply(progress, 1.0f, this);
    if (progress >= 1.0f && behaviors_->progress->removeAtEnd()) {
      data.removed = true;
      data.moving = false;
    }
  }
  if (data.cell != before) updateLight();
}

void DebrisEntity::updateLight() {
  if (behaviors_->light != nullptr) behaviors_->light->apply(data.cell, this);
}

bool DebrisEntity::allowBounce(Direction side) {
  return behaviors_->collision == nullptr || behaviors_->collision->apply(this, data, side);
}

void DebrisEntity::hitLeftWall() {
  if (allowBounce(Direction::Left)) MovingEntity::hitLeftWall();
}

void DebrisEntity::hitRightWall() {
  if (allowBounce(Direction::Right)) MovingEntity::hitRightWall();
}

void DebrisEntity::hitFloor() {
  if (allowBounce(Direction::Down)) MovingEntity::hitFloor();
}

void DebrisEntity::hitCeiling() {
  if (allowBounce(Direction::Up)) MovingEntity::hitCeiling();
}

void DebrisEntity::onRest() {
  if (behaviors_->progress != nullptr && behaviors_->progress->removeAtEnd()) return;
  MovingEntity::onRest();
}
