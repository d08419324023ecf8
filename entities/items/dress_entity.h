#pragma once
// A piece of clothing shown in the world (on a shelf, dropped as a display): frozen where it was
// placed, it only follows its drawing side. It keeps the item id and the worn slot (below 10).
//
// Main thread only.

#include "entities/core/real_entity.h"

class DressEntity final : public RealEntity {
 public:
  static constexpr uint8_t kSlots = 10;
  // The drawing order of each worn slot among the clothes.
  static constexpr uint8_t kSlotPosition[kSlots] = {0, 7, 5, 6, 3, 4, 8, 9, 10, 11};
  static constexpr uint8_t kPositionZ[12] = {9, 8, 7, 13, 5, 11, 6, 9, 2, 1, 4, 3};

  DressEntity(World& world, uint16_t itemId, uint8_t slot, engine::Vec2 position, MapBlock* cell);
  DressEntity(World& world, const EntityRecord& record);

  void update() override { drawPosition(); }
  void toRecord(EntityRecord& record) const override;
  // The z order of its slot among the clothes.
  uint8_t zOrder() const { return kPositionZ[kSlotPosition[dressSlot % kSlots]]; }

  uint16_t dressItem;
  uint8_t dressSlot;

 private:
  void takePictureSize();
};
