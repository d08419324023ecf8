#include "entities/items/fruit_entity.h"

#include <utility>

#include "world/plants/plant_system.h"
#include "world/rules/logic.h"
#include "world/world.h"

FruitEntity::FruitEntity(World& world, ItemPtr item, engine::Vec2 position, MapBlock& plantCell)
    : TreasureEntity(world, EntityKind::Fruit, std::move(item), position, &plantCell, 0, 0, 0),
      plantCell_(&plantCell) {
  data.frozen = true;
  timer = kHangTime;
  foundFlag = true;
}

void FruitEntity::update() {
  if (!data.frozen) {
    treasureUpdate();
    return;
  }
  timer -= 1;
  if (timer >= kFallsBelow || released_ || !hasRules()) return;
  // Asked once: a plant that no longer knows the fruit lets it fall all the same.
  released_ = true;
  if (!world().plants().takeFruit(world().rules(), *plantCell_, id())) world().rules().wakeEntity(this);
}
