#include <gtest/gtest.h>

#include <utility>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "tests/support/item_pool_probe.h"

namespace {

// Warm so the counted allocations take freed slots and the free count follows every hand-off.
size_t warmFreeCount() {
  {
    const ItemPtr first = newItem(1, 0, 1, 0, 0);
    const ItemPtr second = newItem(1, 0, 1, 0, 0);
  }
  return freeItemSlots();
}

TEST(ItemPtr, FreesItsItemOnceWhenItGoesAndNotAtAllWhenHandedOn) {
  const size_t before = warmFreeCount();
  {
    ItemPtr owned = newItem(1, 0, 5, 0, 0);
    EXPECT_EQ(freeItemSlots(), before - 1);
    ItemPtr moved = std::move(owned);
    EXPECT_EQ(owned, nullptr);
  }
  EXPECT_EQ(freeItemSlots(), before) << "freed once, by the last holder";
  Item* handedOn = newItem(1, 0, 5, 0, 0).release();
  EXPECT_EQ(freeItemSlots(), before - 1) << "a released item is the taker's";
  ItemPtr taken(handedOn);
  taken.reset();
  EXPECT_EQ(freeItemSlots(), before) << "and goes back once its new holder lets go";
}

}  // namespace
