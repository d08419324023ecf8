#pragma once
// A fish shown in a row of aquarium blocks (block 324): no gravity, no block collisions; it swims
// a course it changes every 1 to 5 seconds, turns back at the last aquarium block of its row and
// at the water's top and bottom. A fish is never picked up.
//
// Main thread only.

#include "entities/items/treasure_entity.h"

class FishEntity final : public TreasureEntity {
 public:
  static constexpr uint16_t kAquarium = 324;
  static constexpr float kMargin = 3.75f;

  // Placed on `home` (its cell centre and a few pixels).
  FishEntity(World& world, ItemPtr item, MapBlock& home);
  // From a checked record: its cell is its home.
  FishEntity(World& world, const EntityRecord& record);

  void update() override;
  bool isGone() const override { return true; }

  float swimX = 0;
  float swimY = 0;
  float scaleX = 1;  // the sprite's horizontal scale: faces the course, squashed by its speed

 private:
  void placeOnCell();
  void newCourse();
  bool aquariumAt(int dx) const;

  MapBlock* home_;
};
