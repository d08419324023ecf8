#include "game/player/tool_reach.h"

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/inventory/item_kinds.h"

namespace {
constexpr uint8_t kLongerReachModifier = 3;
}  // namespace

int toolReachOf(const Item* item) {
  if (item == nullptr || item->isNone() || isPlaceableItem(item) || !isSwingingItem(item)) return 1;
  const ItemDef* def = item->definition();
  if (def == nullptr) return 1;
  return def->record.reach() + (item->modifier() == kLongerReachModifier ? 1 : 0);
}
