#include "entities/items/dress_entity.h"

#include "content/art/dress_atlas_layout.h"
#include "entities/core/entity_record.h"
#include "entities/items/treasure_entity.h"

DressEntity::DressEntity(World& world, uint16_t itemId, uint8_t slot, engine::Vec2 position, MapBlock* cell)
    : RealEntity(world, EntityKind::Dress, cell, position, TreasureEntity::kRowValueOne, 0, 0, 0),
      dressItem(itemId),
      dressSlot(static_cast<uint8_t>(slot % kSlots)) {
  timer = TreasureEntity::kLifetime;
  data.frozen = true;
  takePictureSize();
}

// Half the dropped picture's width and height; a picture of no size keeps the icon's default.
void DressEntity::takePictureSize() {
  const engine::Rect picture = art::dressSpriteRect(dressItem, dressSlot);
  data.halfWidth = picture.size.width > 0 ? picture.size.width / 2 : TreasureEntity::kIconHalfSize;
  data.halfHeight = picture.size.height > 0 ? picture.size.height / 2 : TreasureEntity::kIconHalfSize;
}

DressEntity::DressEntity(World& world, const EntityRecord& record)
    : RealEntity(world, record.state), dressItem(record.definition), dressSlot(record.kindByte) {
  setId(record.entityId);
  timer = TreasureEntity::kLifetime;
  data.frozen = record.frozen != 0;
  takePictureSize();
}

void DressEntity::toRecord(EntityRecord& record) const {
  RealEntity::toRecord(record);
  record.definition = dressItem;
  record.kindByte = dressSlot;
  record.frozen = data.frozen ? 1 : 0;
}
