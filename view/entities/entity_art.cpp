#include "view/entities/entity_art.h"

#include "content/art/dress_atlas_layout.h"
#include "content/art/item_icon_of.h"
#include "content/tables/bullet_def.h"

namespace entity_art {

engine::Rect bulletRect(const BulletDef& row) {
  return {row.spriteX(), row.spriteY(), row.width(), row.height()};
}

engine::Rect bulletStuckRect(const BulletDef& row) {
  return {row.stuckRect(0), row.stuckRect(1), row.stuckRect(2), row.stuckRect(3)};
}

engine::Rect itemIconRect(const Item& item) { return art::itemIconRectOf(item); }

// Every appearance slot shows the same dropped garment.
engine::Rect dressRect(uint16_t itemId) { return art::dressSpriteRect(itemId, 0); }

engine::Rect mobPartRect(const MobPartFrame& frame) {
  return {mobFrameRect(frame, 0), mobFrameRect(frame, 1), mobFrameRect(frame, 2),
          mobFrameRect(frame, 3)};
}

engine::Vec2 mobPartPosition(const MobPartFrame& frame) {
  return {mobFramePosition(frame, 0), mobFramePosition(frame, 1)};
}

float mobPartRotation(const MobPartFrame& frame) { return mobFrameRotation(frame); }

}  // namespace entity_art
