#include "game/player/tool_reach.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_graphical.h"

namespace {
constexpr uint8_t kLongerReachModifier = 3;
}  // namespace

int toolReachOf(const Item* item) {
  if (item == nullptr || item->isNone() || isPlaceableItem(item) || !isSwingingItem(item)) return 1;
  const ItemDef* def = item->definition();
  if (def == nullptr) return 1;
  return def->record.reach() + (item->modifier() == kLongerReachModifier ? 1 : 0);
}

uint16_t toolCapabilitiesOf(const Item* held, const PlayerGraphical& player) {
  uint16_t bits = 0;
  if (held != nullptr && !held->isNone()) {
    const ItemDef* def = held->definition();
    bits = def != nullptr && def->tool != nullptr ? def->tool->capabilities() : 0;
    if (itemKindOf(held) != item_kind::kTool) return bits;
  }
  if (player.hasFlag(12)) bits |= 1;
  if (player.hasFlag(10)) bits |= 2;
  if (player.hasFlag(11)) bits |= 4;
  if (player.hasFlag(13)) bits |= 8;
  return bits;
}
