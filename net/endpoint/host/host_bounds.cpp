#include "net/endpoint/host/host_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/potions/potion_table.h"
#include "game/crafting/craft_book.h"
#include "game/player/player_base.h"
#include "net/players/player_remote_base.h"
#include "world/cells/map_block.h"

namespace host {

bool buffIdFits(uint16_t id) { return potionDefForValue(id) != nullptr; }

bool entryIdFits(uint16_t entry) { return entry < kCraftBookEntryCount; }

bool damageFits(float amount) { return std::isfinite(amount) && amount >= 0; }

bool wornPlaceFits(uint8_t part, uint8_t index) {
  return part <= 1 && index < PlayerRemoteBase<PlayerBase>::kPartSlots;
}

bool cellWithinReach(const PlayerGraphical& player, const MapBlock& cell, int32_t mapWidth, int reach) {
  int32_t dx = std::abs(static_cast<int32_t>(cell.x) - static_cast<int32_t>(player.cellX));
  if (mapWidth > 0) dx = std::min(dx, mapWidth - dx % mapWidth);
  const int32_t dy = std::abs(static_cast<int32_t>(cell.y) - static_cast<int32_t>(player.cellY));
  return dx <= reach && dy <= reach;
}

bool amountFits(float value, float most) { return std::isfinite(value) && value >= 0 && value <= most; }

}  // namespace host
