#include "entities/core/moving_entity.h"

#include <algorithm>
#include <cmath>

#include "engine/base/random.h"
#include "entities/core/cell_operations.h"
#include "entities/core/entity_blocking.h"
#include "world/cells/cell_sides.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

float heldToMaxSpeed(float v) { return std::clamp(v, -MovingEntity::kMaxSpeed, MovingEntity::kMaxSpeed); }

}  // namespace

MovingEntity::MovingEntity(World& world, EntityKind kind, MapBlock* cell, engine::Vec2 position, uint32_t rowValue,
                           float speed, float angle, float spread)
    : Entity(world) {
  data.x = position.x;
  data.y = position.y;
  if (spread > 1) {
    const int range = static_cast<int>(2 * spread);
    if (range > 0) {
      data.x += static_cast<float>(engine::randomNext() % range) - spread;
      data.y += static_cast<float>(engine::randomNext() % range) - spread;
    }
  }
  data.kind = kind;
  data.cell = cell;
  if (cell != nullptr) {
    data.cellX = cell->x * kCell;
    data.cellY = cell->y * kCell;
  }
  data.rowValue = rowValue;
  data.impulseX = heldToMaxSpeed(std::cos(angle) * speed);
  data.impulseY = heldToMaxSpeed(std::sin(angle) * speed);
}

MovingEntity::MovingEntity(World& world, const EntityData& state) : Entity(world) {
  data = state;
  data.cell = blockAtPoint(world.map(), {state.cellX, state.cellY});
  data.removed = false;
  data.moving = true;
  data.frozen = false;
}

WorldMap& MovingEntity::map() const { return world().map(); }

void MovingEntity::update() { move(); }

void MovingEntity::move() {
  if (!data.moving || data.frozen) return;
  data.vx = heldToMaxSpeed(data.vx + data.impulseX);
  data.vy = heldToMaxSpeed(data.vy + data.impulseY - kGravity);
  data.impulseX = 0;
  data.impulseY = 0;
  data.x += data.vx;
  data.y += data.vy;
  collide();
}

void MovingEntity::collide() {
  MapBlock* cell = data.cell;
  if (cell == nullptr) return;
  const BlockPropsTable& props = map().props();
  const float left = data.cellX - kHalfCell;
  const float right = data.cellX + kHalfCell;
  if (data.vx < 0 && left > data.x - data.halfWidth) {
    if (blocksEntryFromRight(cell->neighbourLeft(map()), props) || blocksExitLeft(cell, props)) {
      hitLeftWall();
    } else if (left > data.x) {
      enterLeftCell();
    }
  } else if (data.vx > 0 && data.x + data.halfWidth > right) {
    if (blocksEntryFromLeft(cell->neighbourRight(map()), props) || blocksExitRight(cell, props)) {
      hitRightWall();
    } else if (data.x > right) {
      enterRightCell();
    }
  }
  cell = data.cell;
  if (cell == nullptr) return;
  const float floor = data.cellY - kHalfCell;
  const float ceiling = data.cellY + kHalfCell;
  if (data.vy < 0 && floor > data.y - data.halfHeight) {
    MapBlock* below = cell->neighbourDown(map());
    if (below == nullptr || blocksEntryFromAbove(below, props)) {
      hitFloor();
    } else if (floor > data.y) {
      enterLowerCell();
    }
  } else if (data.vy > 0 && data.y + data.halfHeight > ceiling) {
    MapBlock* above = cell->neighbourUp(map());
    if (above == nullptr || blocksEntryFromBelow(above, props) || entityHeldFromAbove(*cell)) {
      hitCeiling();
    } else if (data.y > ceiling) {
      enterUpperCell();
    }
  }
  restTest();
}

void MovingEntity::restTest() {
  if (data.cell == nullptr || data.removed) return;
  if (std::fabs(data.vx) > 1.0f || std::fabs(data.vy) >= 0.5f) return;
  if ((data.y - data.halfHeight) - (data.cellY - kHalfCell) >= 0.05f) return;
  MapBlock* below = data.cell->neighbourDown(map());
  if (below == nullptr || blocksEntryFromAbove(below, map().props())) onRest();
}

void MovingEntity::enterLeftCell() {
  data.cellX -= kCell;
  data.cell = data.cell->neighbourLeft(map());
  if (data.x < -kHalfCell) {
    const float width = static_cast<float>(map().width()) * kCell;
    data.x += width;
    data.cellX += width;
  }
}

void MovingEntity::enterRightCell() {
  data.cellX += kCell;
  data.cell = data.cell->neighbourRight(map());
  const float width = static_cast<float>(map().width()) * kCell;
  if (data.x >= width - kHalfCell) {
    data.x -= width;
    data.cellX -= width;
  }
}

void MovingEntity::enterUpperCell() {
  data.cellY += kCell;
  data.cell = data.cell->neighbourUp(map());
}

void MovingEntity::enterLowerCell() {
  data.cellY -= kCell;
  data.cell = data.cell->neighbourDown(map());
}

void MovingEntity::hitLeftWall() {
  touchLeftWall();
  data.vx *= -0.175f;
}

void MovingEntity::hitRightWall() {
  touchRightWall();
  data.vx *= -0.175f;
}

void MovingEntity::hitFloor() {
  touchFloor();
  data.vy *= -0.3f;
  data.vx *= 0.7f;
}

void MovingEntity::hitCeiling() {
  touchCeiling();
  data.vy *= -0.175f;
}

void MovingEntity::onRest() {
  data.moving = false;
  data.vx = data.vy = 0;
  data.impulseX = data.impulseY = 0;
  onStop();
}

void MovingEntity::addImpulse(float strength, float angle, bool reset) {
  if (!(strength > 0)) return;
  if (reset) data.impulseX = data.impulseY = 0;
  data.impulseX = heldToMaxSpeed(data.impulseX + std::cos(angle) * strength);
  data.impulseY = heldToMaxSpeed(data.impulseY + std::sin(angle) * strength);
  data.moving = true;
  data.frozen = false;
}

void MovingEntity::setImpulse(engine::Vec2 impulse) {
  data.impulseX = heldToMaxSpeed(impulse.x);
  data.moving = true;
  data.frozen = false;
}

void MovingEntity::holdToMaxSpeed() {
  data.vx = heldToMaxSpeed(data.vx);
  data.vy = heldToMaxSpeed(data.vy);
  data.impulseX = heldToMaxSpeed(data.impulseX);
  data.impulseY = heldToMaxSpeed(data.impulseY);
}
