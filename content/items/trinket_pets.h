#pragma once
// Pets worn as equipment now and then drop an item from their list beside the player. The game
// rules run `dropFromTrinketPets` once a second for every player outside creative mode.

#include <cstdint>
#include <vector>

#include "content/items/item_ptr.h"
#include "engine/base/geometry.h"

class Item;
class MapBlock;

// What the pet drops need of a player; the game rules implement it for their player type.
class TrinketPetOwner {
 public:
  virtual ~TrinketPetOwner() = default;
  // The item in slot 0..4 of equipment set 0 or 1, null for an empty slot.
  virtual const Item* equipmentItem(int set, int slot) const = 0;
  // Where the player stands, in pixels.
  virtual engine::Vec2 position() const = 0;
  // The map cell the player is drawn in, null outside the map; passed through untouched.
  virtual MapBlock* visibleMapBlock() const = 0;
};

// Throws a new item into the world: the caller's rules.
class ItemSpawner {
 public:
  virtual ~ItemSpawner() = default;
  virtual void spawnItemEntity(ItemPtr item, engine::Vec2 position, MapBlock* cell, float speed,
                               float angle, bool toy) = 0;
};

constexpr float PET_DROP_CHANCE = 0.02f;
constexpr float PET_DROP_SPEED = 0.6f;

// The drop list of a pet item; null for items that are not pets, empty for pets without one.
const std::vector<uint16_t>* petDropList(uint16_t petItemId);

// Each worn pet that finds something this second throws it through the spawner.
void dropFromTrinketPets(const TrinketPetOwner& player, ItemSpawner& spawner);
