#pragma once
// Items of the build's own content that a test's players carry: a stacking block item and the
// block it places, a tool that breaks a given block, a piece to wear.

#include <cstdint>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/block_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"

namespace nettest {

// A block item that stacks, and the block it places; {0, 0} for none.
struct BlockItem {
  uint16_t item = 0;
  uint16_t block = 0;
};
inline BlockItem stackingBlockItem() {
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    const ItemDef& def = defs[id];
    if (def.defined && def.record.kind() == 4 && def.record.placesBlock() != 0 && def.record.freeStack() != 0 &&
        blockDefinitionById(def.record.placesBlock()) != nullptr) {
      return {static_cast<uint16_t>(id), def.record.placesBlock()};
    }
  }
  return {};
}

// A tool that breaks the block, whole; null for none.
inline ItemPtr toolBreaking(uint16_t blockId) {
  const BlockDef* block = blockDefinitionById(blockId);
  const uint16_t required = block != nullptr ? block->record.useKind() : 0;
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    const ItemDef& def = defs[id];
    if (!def.defined || def.tool == nullptr || def.record.kind() != 1) continue;
    if ((required & 0xFF & ~def.tool->capabilities()) != 0) continue;
    return newItem(static_cast<uint16_t>(id), 0, 1, static_cast<int16_t>(def.tool->maxDurability()), 0);
  }
  return nullptr;
}

// An item of the content worn in an equipment place, and the place; 0 for none.
struct Armour {
  uint16_t id = 0;
  uint8_t place = 0;
};
inline Armour anyArmour() {
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size(); ++id) {
    if (!defs[id].defined) continue;
    const Item piece(static_cast<uint16_t>(id), 0, 1, -1, 0);
    const uint8_t kind = itemKindOf(&piece);
    if (kind >= item_kind::kFirstWorn && kind < item_kind::kFirstWorn + Inventory::kEquipmentSlots) {
      return {static_cast<uint16_t>(id), static_cast<uint8_t>(kind - item_kind::kFirstWorn)};
    }
  }
  return {};
}

}  // namespace nettest
