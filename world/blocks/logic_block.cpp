#include "world/blocks/logic_block.h"

#include <algorithm>

#include "engine/base/serial_counter.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"

namespace {

constexpr uint8_t kDropKind = 7;

// Drawn by every thread that makes entities (the world-load thread among them).
uint32_t nextSerial() {
  static engine::SerialCounter serials;
  return serials.next();
}

}  // namespace

LogicBlock::LogicBlock(MapBlock& cell, BlockEntityKind kind) : cell_(&cell), serial_(nextSerial()), kind_(kind) {}

bool LogicItemBlock::holdsAnyItem() const {
  return std::any_of(slots_.begin(), slots_.end(), [](const ItemPtr& item) { return item != nullptr; });
}

void LogicItemBlock::putItem(size_t slot, ItemPtr item) {
  if (slot < slots_.size()) slots_[slot] = std::move(item);
}

void LogicItemBlock::dropAll(LogicEntities& rules) {
  const engine::Vec2 at = cellPixelPosition(cell());
  for (ItemPtr& item : slots_) {
    if (item != nullptr) rules.spawnItemDrop(std::move(item), at, kDropKind);
  }
}
