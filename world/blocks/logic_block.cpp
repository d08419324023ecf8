#include "world/blocks/logic_block.h"

#include <algorithm>

#include "content/items/item_pool.h"
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

LogicBlock::LogicBlock(MapBlock& cell) : cell_(&cell), serial_(nextSerial()) {}

LogicItemBlock::~LogicItemBlock() {
  for (Item* item : slots_) freeItem(item);
}

bool LogicItemBlock::holdsAnyItem() const {
  return std::any_of(slots_.begin(), slots_.end(), [](const Item* item) { return item != nullptr; });
}

void LogicItemBlock::putItem(size_t slot, Item* item) {
  if (slot >= slots_.size()) {
    freeItem(item);
    return;
  }
  slots_[slot] = item;
}

void LogicItemBlock::dropAll(LogicEntities& rules) {
  const engine::Vec2 at = cellPixelPosition(cell());
  for (Item*& item : slots_) {
    if (item == nullptr) continue;
    rules.spawnItemDrop(item, at, kDropKind);
    item = nullptr;
  }
}
