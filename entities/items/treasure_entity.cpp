#include "entities/items/treasure_entity.h"

#include <utility>

#include "content/art/item_atlas_layout.h"
#include "content/art/item_icon_of.h"
#include "content/items/item.h"
#include "entities/core/entity_record.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

EntityData recordState(const EntityRecord& record) { return record.state; }

}  // namespace

void TreasureEntity::takeIconSize() {
  const engine::Rect icon = art::itemIconRectOf(*item_);
  data.halfWidth = icon.size.width > 0 ? icon.size.width / 2 : kIconHalfSize;
  data.halfHeight = icon.size.height > 0 ? icon.size.height / 2 : kIconHalfSize;
}

TreasureEntity::TreasureEntity(World& world, EntityKind kind, ItemPtr item, engine::Vec2 position, MapBlock* cell,
                               float speed, float angle, float spread)
    : RealEntity(world, kind, cell, position, kRowValueOne, speed, angle, spread), item_(std::move(item)) {
  timer = kLifetime;
  takeIconSize();
}

TreasureEntity::TreasureEntity(World& world, const EntityRecord& record)
    : RealEntity(world, recordState(record)),
      item_(newItem(record.definition, 0, static_cast<uint16_t>(record.extra), -1, 0)) {
  item_->variant = record.kindByte;
  item_->durability = 0xFFFF;
  data.frozen = record.frozen != 0;
  timer = kLifetime;
  takeIconSize();
  setId(record.entityId);
}

TreasureEntity::~TreasureEntity() = default;

void TreasureEntity::update() { treasureUpdate(); }

void TreasureEntity::treasureUpdate() {
  if (data.frozen) {
    drawPosition();
    return;
  }
  const MapBlock* before = data.cell;
  timer -= 1;
  move();
  if (timer < 0) {
    onExpire();
    data.removed = true;
  }
  drawPosition();
  if (data.cell != before) drawLight();
}

void TreasureEntity::onStop() {
  if (!hasRules() || isGone()) return;
  world().rules().applyToPlayersOnCell(this);
}

void TreasureEntity::toRecord(EntityRecord& record) const {
  RealEntity::toRecord(record);
  record.extra = item_->count;
  record.definition = item_->id;
  record.kindByte = item_->variant;
  record.frozen = data.frozen ? 1 : 0;
}
