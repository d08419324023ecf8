#pragma once
// What the shelves need of the layers above the world model that the rules interface does not
// give: the fishing catch table's answer to whether a fish may be shown, the fish display itself,
// and taking a display entity out of the world. A world reaches it through its context; the
// null form shows no fish and removes nothing, so headless worlds and tests run without it.
// Entities handed back are owned by the entity lists; a shelf only refers to its own displays
// while it lives. Main thread only.

#include <cstdint>

#include "engine/base/geometry.h"

class Entity;
class Item;
class MapBlock;

class ShelfDisplays {
 public:
  virtual ~ShelfDisplays() = default;
  // Whether the catch table lets the fish item be shown in a tank.
  virtual bool isShowableFish(uint16_t itemId) = 0;
  // A fish display for the item at the position, on the shelf's cell; null when none is made.
  virtual Entity* showFish(const Item& item, MapBlock& cell, engine::Vec2 position) = 0;
  // The display leaves the world at the end of its tick.
  virtual void markForRemoval(Entity* entity) = 0;
};

class NullShelfDisplays final : public ShelfDisplays {
 public:
  bool isShowableFish(uint16_t) override { return false; }
  Entity* showFish(const Item&, MapBlock&, engine::Vec2) override { return nullptr; }
  void markForRemoval(Entity*) override {}
};
