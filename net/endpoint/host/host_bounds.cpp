#include "net/endpoint/host/host_bounds.h"

#include <cmath>

#include "content/potions/potion_table.h"
#include "game/crafting/craft_book.h"
#include "game/player/player_base.h"
#include "net/players/player_remote_base.h"

namespace host {

bool buffIdFits(uint16_t id) { return potionDefForValue(id) != nullptr; }

bool entryIdFits(uint16_t entry) { return entry < kCraftBookEntryCount; }

bool damageFits(float amount) { return std::isfinite(amount) && amount >= 0; }

bool wornPlaceFits(uint8_t part, uint8_t index) {
  return part <= 1 && index < PlayerRemoteBase<PlayerBase>::kPartSlots;
}

}  // namespace host
