#pragma once
// Items of the build's own content that a test's players carry: a stacking block item and the
// block it places, a tool that breaks a given block.

#include <cstdint>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/block_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"

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

}  // namespace nettest
