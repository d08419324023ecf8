#include "entities/items/fish_entity.h"

#include <cmath>
#include <utility>

#include "engine/base/random.h"
#include "entities/core/entity_record.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

float unit() { return static_cast<float>(engine::randomNext()) / 32767.0f; }
float sign(float v) { return v < 0 ? -1.0f : 1.0f; }

}  // namespace

FishEntity::FishEntity(World& world, ItemPtr item, MapBlock& home)
    : TreasureEntity(world, EntityKind::Fish, std::move(item), {home.x * kCell, home.y * kCell}, &home, 0, 0, 0),
      home_(&home) {
  placeOnCell();
}

FishEntity::FishEntity(World& world, const EntityRecord& record) : TreasureEntity(world, record), home_(data.cell) {
  placeOnCell();
}

void FishEntity::placeOnCell() {
  data.cellX = home_->x * kCell;
  data.cellY = home_->y * kCell;
  data.cell = home_;
  data.x = data.cellX + static_cast<float>(engine::randomNext() % 4);
  data.y = data.cellY + static_cast<float>(engine::randomNext() % 4);
  data.impulseX = data.impulseY = 0;
  newCourse();
}

void FishEntity::newCourse() {
  const float angle = unit() * 6.2831855f;
  const float speed = 0.1f + 0.2f * unit();
  swimX = std::cos(angle) * speed;
  swimY = std::sin(angle) * speed;
  timer = 60 + 240 * unit();
  scaleX = ((std::fabs(swimX) / 0.3f) * 0.4f - 1) * sign(swimX);
}

bool FishEntity::aquariumAt(int dx) const {
  const MapBlock* next = data.cell->neighbourAt(world().map(), dx, 0);
  return next != nullptr && next->frontId() == kAquarium;
}

void FishEntity::update() {
  timer -= 1;
  if (timer < 0) newCourse();
  data.vx = swimX;
  data.vy = swimY;
  data.x += data.vx;
  data.y += data.vy;
  const float left = data.cellX - kHalfCell;
  const float right = data.cellX + kHalfCell;
  if ((data.vx < 0 && data.x - data.halfWidth < left && !aquariumAt(-1)) ||
      (data.vx > 0 && data.x + data.halfWidth > right && !aquariumAt(1))) {
    swimX = -swimX;
    scaleX = -scaleX;
  } else if (data.x < left || data.x > right) {
    const int dx = data.x < left ? -1 : 1;
    data.cell = data.cell->neighbourAt(world().map(), dx, 0);
    data.cellX += static_cast<float>(dx) * kCell;
    drawLight();
  }
  const float floor = data.cellY - kHalfCell;
  const float ceiling = data.cellY + kHalfCell;
  if ((data.vy < 0 && data.y - data.halfHeight < floor + kMargin) ||
      (data.vy > 0 && data.y + data.halfHeight > ceiling - kMargin)) {
    swimY = -swimY;
  }
  swimX *= 0.99f;
  swimY *= 0.99f;
  if (std::fabs(scaleX) < 1) {
    scaleX *= 1.03f;
  }
  if (std::fabs(scaleX) > 1) scaleX = sign(scaleX);
  drawPosition();
}
