#include "game/inventory/open_block_items.h"

#include <cstdint>
#include <utility>

#include "world/blocks/block_entity_cast.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"

LogicItemBlock* writableItemBlock(LogicBlock* entity) {
  if (auto* chest = block_entity_cast<Chest>(entity)) return chest;
  if (auto* forge = block_entity_cast<Forge>(entity)) return forge;
  return nullptr;
}

bool setOpenBlockItem(LogicBlock* entity, size_t slot, ItemPtr item) {
  if (auto* chest = block_entity_cast<Chest>(entity)) {
    chest->setItem(static_cast<int32_t>(slot), std::move(item));
    return true;
  }
  if (auto* forge = block_entity_cast<Forge>(entity); forge != nullptr && slot < forge->slotCount()) {
    forge->setItem(static_cast<uint8_t>(slot), std::move(item));
    return true;
  }
  return false;
}
