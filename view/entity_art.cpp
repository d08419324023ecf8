#include "view/entity_art.h"

#include "content/tables/bullet_def.h"

namespace entity_art {

namespace {

// Cell `index` of a grid of 16-point cells, 128 to a row; the icon fills its top-left 15 points.
engine::Rect gridCell(uint32_t index) {
  const auto column = static_cast<float>(index % kIconsPerRow);
  const auto row = static_cast<float>(index / kIconsPerRow);
  return {column * kIconCell, row * kIconCell, kIconSize, kIconSize};
}

}  // namespace

engine::Rect bulletRect(const BulletDef& row) {
  return {row.spriteX(), row.spriteY(), row.width(), row.height()};
}

// Provisional: an item's variants take the cells after its own, in steps of 4096 ids.
engine::Rect itemIconRect(uint16_t id, uint8_t variant) {
  return gridCell(static_cast<uint32_t>(id & 0x0FFF) + 4096u * (variant & 3u));
}

engine::Rect dressRect(uint16_t itemId) { return gridCell(itemId & 0x0FFF); }

engine::Rect mobPartRect(const MobPartFrame& frame) {
  return {mobFrameRect(frame, 0), mobFrameRect(frame, 1), mobFrameRect(frame, 2),
          mobFrameRect(frame, 3)};
}

engine::Vec2 mobPartPosition(const MobPartFrame& frame) {
  return {mobFramePosition(frame, 0), mobFramePosition(frame, 1)};
}

float mobPartRotation(const MobPartFrame& frame) { return mobFrameRotation(frame); }

}  // namespace entity_art
