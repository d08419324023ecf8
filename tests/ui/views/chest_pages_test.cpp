// A chest of more rows than fit the window shows a page of its slots, from its scroll offset: the
// page buttons and the wheel over its cells step the offset a page of whole rows at a time, never
// before the first slot nor past the last page, and every cell acts on the slot it shows. A chest
// that fits shows all its cells and no buttons.

#include <gtest/gtest.h>

#include <memory>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "platform/controls/abstract_controls.h"
#include "platform/screen_layout.h"
#include "tests/support/screen_layout_reset.h"
#include "tests/ui/chest_cells.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"
#include "world/blocks/chest.h"
#include "world/world.h"

namespace {

using game_test::kStone;
using game_test::makeItem;

constexpr size_t kLargeChest = 120;
constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};

using ui_test::chestSlot;

class ChestPagesTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    // The smallest window the game offers, at the interface scale it takes there.
    engine::Director::getInstance()->designResolutionChanged(engine::Size(960, 540));
    screenLayout().uiScale = 2.0f;
    views().switchTo(ViewId::Main);
  }
  void TearDown() override {
    PlayTest::TearDown();
    resetScreenLayout();
  }
  InventoryView& view() { return views().inventoryView(); }
  Chest& openChest(size_t slots) {
    Chest& chest = theWorld().chests().add(std::make_unique<Chest>(cell(12, 6), Chest::SlotCount{slots}));
    local->setOpenContainer(&chest);
    views().push(ViewId::Inventory);
    view().setPage(InventoryView::kContainer);
    return chest;
  }
  std::vector<size_t> shownChestSlots() { return ui_test::shownChestSlots(view()); }
  engine::Vec2 buttonPoint(bool onwards) {
    const engine::Vec2 point = ui_test::pageButtonPoint(view(), onwards);
    EXPECT_GE(point.x, 0) << "no button " << (onwards ? "on" : "back");
    return point;
  }
  void click(const engine::Vec2& at) {
    view().mouseButton(at, kel::MOUSE_BUTTON_LEFT, false);
    view().mouseButton(at, kel::MOUSE_BUTTON_LEFT, true);
  }
  engine::Vec2 at(SlotRef slot) {
    InventorySprite* sprite = view().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr) << "slot " << static_cast<int>(slot.x) << " is not shown";
    return sprite != nullptr ? sprite->getPosition() : engine::Vec2(-1, -1);
  }
  // The wheel over the first chest cell shown, towards the player for the next page.
  void wheel(bool onwards) {
    const std::vector<size_t> shown = shownChestSlots();
    ASSERT_FALSE(shown.empty());
    view().wheelAt(at(chestSlot(shown[0])), onwards ? 1.0f : -1.0f);
  }
};

TEST_F(ChestPagesTest, AChestThatFitsShowsEveryCellAndNoButtons) {
  openChest(12);
  EXPECT_EQ(shownChestSlots().size(), 12u);
  EXPECT_TRUE(view().grid().pageButtons().empty());
}

TEST_F(ChestPagesTest, TheNextButtonShowsTheFollowingSlotsAndTheirCellsActOnThem) {
  Chest& chest = openChest(kLargeChest);
  const std::vector<size_t> first = shownChestSlots();
  ASSERT_FALSE(first.empty());
  ASSERT_LT(first.size(), kLargeChest);
  const size_t perPage = first.size();
  EXPECT_EQ(perPage % 3, 0u) << "a page is whole rows";
  EXPECT_EQ(first.front(), 0u);
  EXPECT_EQ(first.back(), perPage - 1);
  EXPECT_EQ(view().grid().pageStep(false), 0) << "nothing before the first slot";

  chest.setItem(static_cast<int32_t>(perPage + 1), makeItem(kStone, 4));
  click(buttonPoint(true));
  EXPECT_EQ(chest.offset(), static_cast<int32_t>(perPage));
  const std::vector<size_t> second = shownChestSlots();
  ASSERT_EQ(second.size(), perPage);
  EXPECT_EQ(second.front(), perPage);
  // The second cell shown is the slot after the page's first: dragged out, its stack leaves it.
  InventorySprite* shown = view().spriteForSlot(chestSlot(perPage + 1));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->slotItem(), chest.itemAt(perPage + 1));
  view().mouseButton(at(chestSlot(perPage + 1)), kel::MOUSE_BUTTON_LEFT, false);
  view().drag(at(chestSlot(perPage + 1)) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  view().drag(at(kPack00), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  EXPECT_EQ(chest.itemAt(perPage + 1), nullptr);
  ASSERT_NE(local->inventory->slotItem(kPack00), nullptr);
  EXPECT_EQ(local->inventory->slotItem(kPack00)->count, 4);

  // Stored into a cell of this page, it goes to the slot that cell shows.
  click(at(kPack00));
  click(at(chestSlot(perPage)));
  ASSERT_NE(chest.itemAt(perPage), nullptr);
  EXPECT_EQ(chest.itemAt(perPage)->count, 4);
  EXPECT_EQ(chest.itemAt(0), nullptr);
}

TEST_F(ChestPagesTest, TheWheelWalksToTheLastPageAndBackAndNoFurther) {
  Chest& chest = openChest(kLargeChest);
  chest.setItem(kLargeChest - 1, makeItem(kStone, 2));
  const size_t perPage = shownChestSlots().size();
  ASSERT_GT(perPage, 0u);
  // Back at the first page does nothing.
  wheel(false);
  EXPECT_EQ(chest.offset(), 0);
  EXPECT_EQ(shownChestSlots().front(), 0u);

  const size_t pages = (kLargeChest + perPage - 1) / perPage;
  for (size_t page = 1; page < pages; ++page) {
    wheel(true);
    EXPECT_EQ(chest.offset(), static_cast<int32_t>(page * perPage));
  }
  ASSERT_EQ(shownChestSlots().back(), kLargeChest - 1) << "the last page shows the last slot";
  EXPECT_EQ(view().spriteForSlot(chestSlot(kLargeChest - 1))->slotItem(), chest.itemAt(kLargeChest - 1));
  EXPECT_EQ(view().grid().pageStep(true), 0) << "no page after the last";
  const int32_t last = chest.offset();
  wheel(true);
  EXPECT_EQ(chest.offset(), last) << "onwards at the last page does nothing";
  EXPECT_EQ(shownChestSlots().back(), kLargeChest - 1);

  click(buttonPoint(false));
  EXPECT_EQ(chest.offset(), last - static_cast<int32_t>(perPage));
  for (size_t page = 2; page < pages; ++page) wheel(false);
  EXPECT_EQ(chest.offset(), 0);
  EXPECT_EQ(view().grid().pageStep(false), 0);
  wheel(false);
  EXPECT_EQ(chest.offset(), 0);
}

TEST_F(ChestPagesTest, TheWheelAwayFromTheChestsCellsMovesTheListNotThePage) {
  Chest& chest = openChest(kLargeChest);
  view().wheelAt(at(kPack00), 1.0f);
  EXPECT_EQ(chest.offset(), 0);
  EXPECT_EQ(shownChestSlots().front(), 0u);
}

}  // namespace
