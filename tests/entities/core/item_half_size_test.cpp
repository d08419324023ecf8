// Dropped items take their half sizes from their icon, clothes from their dropped picture; a
// picture of no size keeps the default.

#include <utility>

#include "content/art/dress_atlas_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/items/item_pool.h"
#include "content/items/item_ptr.h"
#include "entities/items/dress_entity.h"
#include "entities/items/treasure_entity.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

using EntityHalfSizes = EntityWorld;

TEST_F(EntityHalfSizes, ADroppedItemIsHalfItsIconAndClothesWithoutAPictureKeepTheDefault) {
  ItemPtr stone = newItem(kStone, 0, 1, -1, 0);
  auto& item = static_cast<TreasureEntity&>(lists.add(std::make_unique<TreasureEntity>(
      *world, EntityKind::Treasure, std::move(stone), engine::Vec2{pixel(5), pixel(6)}, &cell(5, 6), 0, 0, 0)));
  const engine::Rect icon = art::itemIconRect(kStone, 0);
  EXPECT_FLOAT_EQ(item.data.halfWidth, icon.size.width / 2);
  EXPECT_FLOAT_EQ(item.data.halfHeight, icon.size.height / 2);
  EXPECT_FLOAT_EQ(item.data.halfWidth, 8.0f) << "16-pixel icons";

  auto& dress = lists.add(std::make_unique<DressEntity>(*world, kStone, 0, engine::Vec2{pixel(7), pixel(6)}, &cell(7, 6)));
  ASSERT_EQ(art::dressSpriteRect(kStone, 0).size.width, 0) << "stone is not worn";
  EXPECT_FLOAT_EQ(dress.data.halfWidth, TreasureEntity::kIconHalfSize);
}

}  // namespace
}  // namespace entity_test
