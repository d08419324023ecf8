#include "net/endpoint/host/host_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/potions/potion_table.h"
#include "game/crafting/craft_book.h"
#include "game/crafting/craft_spending.h"
#include "game/player/player_base.h"
#include "net/players/player_item_copy.h"
#include "net/players/player_remote_base.h"
#include "world/cells/map_block.h"

namespace host {

bool buffIdFits(uint16_t id) { return potionDefForValue(id) != nullptr; }

bool entryIdFits(uint16_t entry) { return entry < kCraftBookEntryCount; }

// Nothing, or less than nothing, is no blow: taken, it would re-arm the player's cooldown after
// damage whenever the client liked.
bool damageFits(float amount) { return std::isfinite(amount) && amount > 0; }

bool modeFits(uint8_t mode, bool mayFly) { return mode == 0 || (mode == 1 && mayFly); }

bool craftKnowledgeFits(uint8_t allKnown, const RecipeKnowledge::Bitset& known) {
  if (allKnown > 1) return false;
  for (size_t entry = kCraftBookEntryCount; entry < known.size() * 8; ++entry) {
    if ((known[entry / 8] >> (entry % 8) & 1) != 0) return false;
  }
  return true;
}

bool inventoryFits(uint32_t stacks) { return stacks <= PlayerItemCopy::kMostStacks; }

bool craftStacksFit(uint32_t stacks) { return stacks >= 1 && stacks <= kMostCraftUnits; }

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
