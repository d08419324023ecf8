#include "world/rules/logic.h"

#include "content/items/item_pool.h"

namespace {
Logic*& slot() {
  static Logic* logic = nullptr;
  return logic;
}
}  // namespace

// Without rules no entity takes the item, so it goes back to the pool rather than leak.
Entity* NullLogic::spawnItemEntity(Item* item, engine::Vec2, float, float, uint8_t) {
  freeItem(item);
  return nullptr;
}

Entity* NullLogic::spawnItemDrop(Item* item, engine::Vec2, uint8_t) {
  freeItem(item);
  return nullptr;
}

Entity* NullLogic::spawnDress(Item* item, engine::Vec2, engine::Vec2) {
  freeItem(item);
  return nullptr;
}

Logic& currentLogic() {
  static NullLogic none;
  Logic* logic = slot();
  return logic != nullptr ? *logic : none;
}

void setCurrentLogic(Logic* logic) { slot() = logic; }
