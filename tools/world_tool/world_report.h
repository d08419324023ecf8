#pragma once
// What the tools print of a game: a player's inventory and the items lying in a world, in forms a
// test or a person can compare between a host and its clients.

#include <cstdint>
#include <string>

class Inventory;
class WorldEntities;

namespace world_tool {

struct InventorySummary {
  uint32_t items = 0;
  uint32_t stacks = 0;
  std::string stacksText;  // " ID xCOUNT" per stack, the quick row then the backpack
};

InventorySummary summarizeInventory(const Inventory& inventory);
// "N: ID xCOUNT ..." over every dropped item in the world, sorted, so two copies of one world
// print the same text; N is the number of items.
std::string groundItems(const WorldEntities& entities);

}  // namespace world_tool
