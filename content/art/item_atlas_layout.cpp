#include "content/art/item_atlas_layout.h"

namespace art {

namespace {

engine::Rect cellRect(int cell) {
  const int x = (cell % kItemIconColumns) * kItemIconCell + 1;
  const int y = (cell / kItemIconColumns) * kItemIconCell + 1;
  return {float(x), float(y), float(kItemIconSize), float(kItemIconSize)};
}

}  // namespace

engine::Rect itemIconRect(uint16_t id, uint8_t variant) {
  const int item = id < kItemIdCount ? id : 0;
  const int look = variant < kItemIconVariants ? variant : 0;
  return cellRect(look * kItemIdCount + item);
}

engine::Rect spawnEggIconRect(uint16_t mobId) {
  if (mobId >= kSpawnEggMobCount) return cellRect(0);
  return cellRect(kItemIconVariants * kItemIdCount + mobId);
}

}  // namespace art
