// Putting units on item shelves, the slots they find, and what a refused unit leaves behind.

#include <vector>

#include "tests/world/world_recorders.h"
#include "world/blocks/shelf.h"
#include "tests/support/item_pool_probe.h"

namespace {

using namespace world_test;

constexpr uint16_t kTwoSlotShelf = 210, kFourSlotShelf = 212;
constexpr uint16_t kApple = 500;

class ShelfRules final : public NullLogic {
 public:
  Entity* spawnTreasureEntity(const Item& item, engine::Vec2 at, engine::Vec2, MapBlock*) override {
    shown.push_back(at);
    shownIds.push_back(item.id);
    return makesDisplays ? reinterpret_cast<Entity*>(uintptr_t{64} * shown.size()) : nullptr;
  }
  void wakeEntity(Entity* entity) override { woken.push_back(entity); }
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2, float, float, uint8_t) override {
    given.push_back(item->id);
    return nullptr;
  }
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override {
    given.push_back(item->id);
    return nullptr;
  }
  std::vector<engine::Vec2> shown;
  std::vector<uint16_t> shownIds;
  std::vector<uint16_t> given;
  std::vector<Entity*> woken;
  bool makesDisplays = false;  // stand-in display entities instead of none
};

class ShelfTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    context.rules = &shelfRules;
    rebind();
  }
  void TearDown() override {
    held.reset();
    EditWorldTest::TearDown();
  }
  Shelf* shelfAt(int32_t x, int32_t y) { return dynamic_cast<Shelf*>(world->shelves().findAt(at(x, y))); }
  bool putOn(int32_t x, int32_t y, uint8_t position) { return putItemOnShelf(*world, at(x, y), held, position); }

  ShelfRules shelfRules;
  ItemPtr held;
};

TEST_F(ShelfTest, ATwoSlotShelfPicksItsSlotByPositionIsMadeOnFirstUseAndGivesItsItemsBack) {
  put(4, 4, kTwoSlotShelf);
  held = newItem(kApple, 0, 5, -1, 0);
  EXPECT_EQ(shelfAt(4, 4), nullptr);
  EXPECT_TRUE(putOn(4, 4, 3));
  ASSERT_NE(shelfAt(4, 4), nullptr);
  EXPECT_NE(shelfAt(4, 4)->itemAt(1), nullptr);
  EXPECT_TRUE(putOn(4, 4, 0));
  EXPECT_NE(shelfAt(4, 4)->itemAt(0), nullptr);
  EXPECT_EQ(held->count, 3);
  EXPECT_FALSE(putOn(4, 4, 1)) << "slot 1 is taken";
  EXPECT_EQ(held->count, 3) << "the refused unit stays in the held stack";
  EXPECT_EQ(shelfRules.shownIds, (std::vector<uint16_t>{kApple, kApple})) << "each display shows its item";
  EXPECT_TRUE(shelfAt(4, 4)->clearDisplay(shelfRules));
  EXPECT_EQ(shelfRules.given, (std::vector<uint16_t>{kApple, kApple}));
  EXPECT_FALSE(shelfAt(4, 4)->clearDisplay(shelfRules)) << "nothing left to give";
}

TEST_F(ShelfTest, ClearingWakesTheDisplaysThatStillExistAndDropsNothingForOnesThatAreGone) {
  shelfRules.makesDisplays = true;
  put(4, 4, kTwoSlotShelf);
  held = newItem(kApple, 0, 5, -1, 0);
  ASSERT_TRUE(putOn(4, 4, 0));
  ASSERT_TRUE(putOn(4, 4, 3));
  Entity* const first = reinterpret_cast<Entity*>(uintptr_t{64});
  Entity* const second = reinterpret_cast<Entity*>(uintptr_t{128});
  effects.ids.gone.insert(effects.ids.idOf(first));  // someone took the first display meanwhile
  EXPECT_TRUE(shelfAt(4, 4)->clearDisplay(shelfRules));
  EXPECT_EQ(shelfRules.woken, std::vector<Entity*>{second});
  EXPECT_TRUE(shelfRules.given.empty()) << "a shown unit falls as its display, never as a second item";
}

TEST_F(ShelfTest, APositionAtOrBeyondTheSlotCountFindsNoSlot) {
  put(4, 4, kFourSlotShelf);
  held = newItem(kApple, 0, 1, -1, 0);
  Item* const before = held.get();
  newItem(kApple, 0, 1, -1, 0).reset();  // a freed slot, so the refused unit's copy takes no new one
  const size_t freeBefore = freeItemSlots();
  EXPECT_FALSE(putOn(4, 4, 4));
  EXPECT_EQ(held.get(), before) << "the last unit is not lost";
  EXPECT_EQ(freeItemSlots(), freeBefore) << "the refused unit went back and nothing else was freed";
  EXPECT_TRUE(putOn(4, 4, 3));
  EXPECT_EQ(held, nullptr) << "the last unit went onto the shelf";
  EXPECT_NE(shelfAt(4, 4)->itemAt(3), nullptr);
}

}  // namespace
