#include "world/blocks/logic_block.h"

#include <algorithm>
#include <atomic>

#include "content/items/item_pool.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"

namespace {

constexpr uint8_t kDropKind = 7;

// Serials are drawn by every thread that makes entities (the world-load thread among them) and are
// never reused, so a handle cannot come to name another entity.
uint32_t nextSerial() {
  static std::atomic<uint32_t> last{0};
  uint32_t serial = last.fetch_add(1) + 1;
  while (serial == 0) serial = last.fetch_add(1) + 1;  // past the wrap, 0 stays "none"
  return serial;
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

void LogicItemBlock::dropAll(Logic& rules) {
  const engine::Vec2 at = cellPixelPosition(cell());
  for (Item*& item : slots_) {
    if (item == nullptr) continue;
    rules.spawnItemDrop(item, at, kDropKind);
    item = nullptr;
  }
}
