// The crafting station the player works at, as long as it stands next to the player.

#include "game/player/player.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

void Player::keepCraftingStationInReach() {
  const std::optional<StationPlace> place = inventory->stationPlace();
  if (!place) return;
  const MapBlock* cell = world != nullptr ? world->map().cellAt(place->x, place->y) : nullptr;
  if (cell == nullptr || !isNextToCell(*cell)) {
    inventory->clearCraftingStation();
    return;
  }
  // What stands there now: a station broken or replaced since is not the one the player used.
  inventory->setCraftingStation(nullptr, cell, world->map().props());
}
