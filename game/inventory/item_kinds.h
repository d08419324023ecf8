#pragma once
// The item kinds (the kind byte of an item's definition) that the inventory and the player's
// item rules tell apart, and the kind of a stack that may be empty or unknown.

#include <cstdint>

#include "content/format/content_format.h"
#include "content/items/item.h"
#include "content/tables/item_def.h"

namespace item_kind {
constexpr uint8_t kTool = content::kItemKindTool;
constexpr uint8_t kWeapon = content::kItemKindWeapon;
constexpr uint8_t kConsumable = 2;  // food and potions, and the bags a right click opens
constexpr uint8_t kTrinket = 7;
constexpr uint8_t kFirstWorn = 10;  // equipment slot x takes kind 10 + x
constexpr uint8_t kUnknown = 0xFF;
}  // namespace item_kind

inline uint8_t itemKindOf(const Item* item) {
  const ItemDef* def = item != nullptr ? item->definition() : nullptr;
  return def != nullptr ? def->record.kind() : item_kind::kUnknown;
}

// Kinds held for placing: 3 (held, never breaks), 4 (a block item), 8 and 16.
inline bool isPlacingKind(uint8_t kind) { return kind == 3 || kind == 4 || kind == 8 || kind == 16; }
inline bool isPlaceableItem(const Item* item) { return isPlacingKind(itemKindOf(item)); }

// Tools and weapons swing, wear down and fill quick slot 0.
inline bool isSwingingItem(const Item* item) {
  const uint8_t kind = itemKindOf(item);
  return kind == item_kind::kTool || kind == item_kind::kWeapon;
}
