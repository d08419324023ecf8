// The inventory view's pages with cells of their own: the craft grid crafts what its layout makes
// in the result cell and gives its stacks back when the page is left or the view closes (keeping the
// ammunition laid in the result cell, which is also the ammunition slot), and the open chest's slots
// show as cells that stacks are dragged out of.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "platform/controls/abstract_controls.h"
#include "tests/game/content_rows.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/blocks/chest.h"
#include "world/world.h"

namespace {

using game_test::kStone;
using game_test::makeItem;

constexpr uint16_t kLog = 7, kPlanks = 20;
constexpr uint16_t kChestBlock = 213;  // a chest of the content's chest table
constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};
constexpr SlotRef kGrid00{SlotKind::CraftGrid, 0, 0};
constexpr SlotRef kGrid11{SlotKind::CraftGrid, 1, 1};
constexpr SlotRef kResult{SlotKind::Single, 0, 0};

class InventoryPagesTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    // A window the chest's cells fit in: a chest pages only what the window cannot hold.
    engine::Director::getInstance()->designResolutionChanged(engine::Size(1280, 720));
    test_rows::setRecipe(0, {.layout = 0, .result = kPlanks, .grid = {kLog}, .resultCount = 4});
    views().switchTo(ViewId::Main);
  }
  InventoryView& view() { return views().inventoryView(); }
  Inventory& items() { return *local->inventory; }
  void open(uint8_t page) {
    views().push(ViewId::Inventory);
    view().setPage(page);
  }
  engine::Vec2 at(SlotRef slot) {
    InventorySprite* sprite = view().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr) << "no cell of kind " << static_cast<int>(slot.kind);
    return sprite != nullptr ? sprite->getPosition() : engine::Vec2();
  }
  void dragStack(SlotRef from, SlotRef to) {
    view().mouseButton(at(from), kel::MOUSE_BUTTON_LEFT, false);
    view().drag(at(from) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
    view().drag(at(to), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Move);
    view().drag(at(to), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  }
  uint16_t countOf(SlotRef slot, uint16_t id) {
    const Item* item = items().slotItem(slot);
    return item != nullptr && !item->isNone() && item->id == id ? item->count : 0;
  }
  bool lineShown(const std::string& text) {
    return std::find(view().lines().begin(), view().lines().end(), text) != view().lines().end();
  }
};

TEST_F(InventoryPagesTest, ACraftGridRecipeCraftsInTheResultCell) {
  items().setSlot(kPack00, makeItem(kLog, 2));
  open(InventoryView::kCrafting);
  EXPECT_TRUE(lineShown("Craft grid: lay ingredients out in it."));
  dragStack(kPack00, kGrid00);
  ASSERT_EQ(countOf(kGrid00, kLog), 2);
  EXPECT_TRUE(lineShown("Craft grid: makes #20 x4; take it from the result."));

  // Taking the result makes it: four planks for one log.
  view().mouseButton(at(kResult), kel::MOUSE_BUTTON_LEFT, false);
  EXPECT_EQ(countOf(kResult, kPlanks), 4);
  EXPECT_EQ(countOf(kGrid00, kLog), 1);
  EXPECT_EQ(view().status(), "Made #20 x4.");
  view().drag(at(kResult) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  view().drag(at(kPack00), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  EXPECT_EQ(countOf(kPack00, kPlanks), 4);
  EXPECT_EQ(countOf(kResult, kPlanks), 0);

  // A layout no recipe has makes nothing.
  items().setSlot(kGrid11, makeItem(kStone, 1));
  view().refresh();
  EXPECT_TRUE(lineShown("Craft grid: nothing is made of this."));
  view().mouseButton(at(kResult), kel::MOUSE_BUTTON_LEFT, false);
  view().mouseButton(at(kResult), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_EQ(items().slotItem(kResult), nullptr);
  EXPECT_EQ(countOf(kGrid00, kLog), 1);
}

TEST_F(InventoryPagesTest, LeavingTheCraftGridGivesItsStacksBack) {
  items().setSlot(kGrid00, makeItem(kLog, 3));
  items().setSlot(kResult, makeItem(kPlanks, 4));
  open(InventoryView::kCrafting);
  view().setPage(InventoryView::kContainer);
  EXPECT_EQ(items().slotItem(kGrid00), nullptr);
  EXPECT_EQ(items().slotItem(kResult), nullptr);
  EXPECT_EQ(items().countItems(kLog, false, false), 3u);
  EXPECT_EQ(items().countItems(kPlanks, false, false), 4u);

  view().setPage(InventoryView::kCrafting);
  dragStack({SlotKind::Backpack, 0, 0}, kGrid11);
  ASSERT_NE(items().slotItem(kGrid11), nullptr);
  views().pop();
  EXPECT_EQ(items().slotItem(kGrid11), nullptr) << "closing the view empties the grid too";
  EXPECT_EQ(items().countItems(kLog, false, false) + items().countItems(kPlanks, false, false), 7u);
}

TEST_F(InventoryPagesTest, ABobberLaidInTheAmmunitionCellStaysThereWhenTheViewCloses) {
  // The result cell is also the ammunition slot: what a rod or a bow shoots waits there.
  constexpr uint16_t kCorkBobber = 16;
  constexpr uint8_t kAmmunitionKind = 7;
  RangedSpec shot;
  ItemDef& bobber = test_rows::defineItem(kCorkBobber, kAmmunitionKind);
  bobber.rangedSpec = &shot;
  items().setSlot(kPack00, makeItem(kCorkBobber, 3));
  open(InventoryView::kCrafting);
  dragStack(kPack00, kResult);
  ASSERT_EQ(countOf(kResult, kCorkBobber), 3);
  views().pop();
  bobber.rangedSpec = nullptr;
  EXPECT_EQ(countOf(kResult, kCorkBobber), 3) << "closing the view took the bobber out of the ammunition slot";
  EXPECT_EQ(items().countItems(kCorkBobber, false, false), 0u);
}

TEST_F(InventoryPagesTest, TheOpenChestsSlotsAreCellsToDragFrom) {
  cell(12, 6).setLayer(kChestBlock, 0, MapBlock::kFront);
  Chest& chest = theWorld().chests().add(std::make_unique<Chest>(cell(12, 6), kChestBlock));
  chest.setItem(1, makeItem(kStone, 6));
  local->setOpenContainer(&chest);
  open(InventoryView::kContainer);
  ASSERT_GT(chest.slotCount(), 1u);
  EXPECT_EQ(view().grid().sprites().size(), 10u + 36u + chest.slotCount());
  const SlotRef second{SlotKind::Chest, 1, 0};
  EXPECT_EQ(view().spriteForSlot(second)->slotItem(), chest.itemAt(1));
  dragStack(second, kPack00);
  EXPECT_EQ(countOf(kPack00, kStone), 6);
  EXPECT_EQ(chest.itemAt(1), nullptr);
  dragStack(kPack00, {SlotKind::Chest, 0, 0});
  ASSERT_NE(chest.itemAt(0), nullptr);
  EXPECT_EQ(chest.itemAt(0)->count, 6);
}

}  // namespace
