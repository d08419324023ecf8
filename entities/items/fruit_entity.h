#pragma once
// A fruit hanging on its plant: frozen, it counts 36000 ticks down (from 72000), then its plant
// lets it go (`PlantSystem::takeFruit`: it falls, or, in a creative world, it is removed). Fallen,
// it is a treasure like any other; its finder records statistic 1. Where no rules run (a client)
// it never leaves its plant on its own: the host says when.
//
// Main thread only.

#include "entities/items/treasure_entity.h"

class FruitEntity final : public TreasureEntity {
 public:
  static constexpr float kHangTime = 72000;
  static constexpr float kFallsBelow = 36000;

  FruitEntity(World& world, ItemPtr item, engine::Vec2 position, MapBlock& plantCell);

  void update() override;

 private:
  MapBlock* plantCell_;
  bool released_ = false;
};
