#include "world/rules/logic.h"

#include "content/items/item_pool.h"

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

engine::Seam<Logic, NullLogic>& currentLogicSeam() {
  static engine::Seam<Logic, NullLogic> seam;
  return seam;
}

Logic& currentLogic() { return currentLogicSeam().get(); }

void setCurrentLogic(Logic* logic) { currentLogicSeam().set(logic); }
