// The inventory view's slot sprites: the quick row and the backpack as cells, clicks that select
// and swap, S that splits a stack and G that gathers it again, the cells that show items new since
// the player last looked, and the view registered as the sprites' hooks while the views exist.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/inventory/inventory.h"
#include "platform/controls/abstract_controls.h"
#include "tests/ui/play_fixture.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/inventory_view.h"
#include "ui/views/main_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/inventory_view_hooks.h"

namespace {

using game_test::kStone;
using game_test::makeItem;

class InventoryGridTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
  }
  InventoryView& inventory() { return views().inventoryView(); }
  MainView& main() { return views().mainView(); }
  Inventory& items() { return *local->inventory; }
  void open() { views().push(ViewId::Inventory); }
  InventorySprite& cell(SlotRef slot) {
    InventorySprite* sprite = inventory().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr);
    return *sprite;
  }
  void clickOn(SlotRef slot, int button = kel::MOUSE_BUTTON_LEFT) {
    const engine::Vec2 at = cell(slot).getPosition();
    inventory().mouseButton(at, button, false);
    inventory().mouseButton(at, button, true);
  }
  uint16_t countIn(SlotRef slot) {
    const Item* item = items().slotItem(slot);
    return item != nullptr && !item->isNone() ? item->count : 0;
  }
};

constexpr SlotRef kQuick0{SlotKind::Quick, 0, 0};
constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};
constexpr SlotRef kPack10{SlotKind::Backpack, 1, 0};
constexpr SlotRef kPack55{SlotKind::Backpack, 5, 5};

TEST_F(InventoryGridTest, TheViewIsTheSpritesHooksWhileTheViewsExist) {
  EXPECT_EQ(&inventoryViewHooks(), static_cast<InventoryViewHooks*>(&inventory()));
  destroyViews();
  EXPECT_FALSE(inventoryViewHooksSeam().registered());
  createViews();
  gameViews()->setLayer(layer);
  EXPECT_EQ(&inventoryViewHooks(), static_cast<InventoryViewHooks*>(&inventory()));
}

TEST_F(InventoryGridTest, TheCellsComeAndGoWithTheViewAndShowTheirSlots) {
  items().setSlot(kPack55, makeItem(kStone, 3));
  EXPECT_EQ(inventory().spriteForSlot(kPack00), nullptr) << "no cells while closed";
  main().refreshCamera();
  EXPECT_EQ(inventory().spriteForSlot(kQuick0), main().hud().quickSlots().sprite(0)) << "the HUD's quick row";
  ASSERT_NE(inventory().spriteForSlot(kQuick0), nullptr);
  open();
  EXPECT_EQ(inventory().grid().sprites().size(), 10u + 36u);
  EXPECT_NE(inventory().spriteForSlot(kQuick0), main().hud().quickSlots().sprite(0)) << "the view's own";
  EXPECT_EQ(cell(kPack55).slotItem(), items().slotItem(kPack55));
  EXPECT_EQ(cell(kPack55).slot(), kPack55);
  // Neighbouring cells sit one cell apart, the quick row over the backpack.
  EXPECT_FLOAT_EQ(cell(kPack10).getPositionX() - cell(kPack00).getPositionX(), inventory().grid().pitch());
  EXPECT_GT(cell(kQuick0).getPositionY(), cell(kPack00).getPositionY());
  EXPECT_EQ(inventory().grid().spriteAt(cell(kPack55).getPosition()), &cell(kPack55));
  EXPECT_EQ(inventory().windowSize(SlotKind::Quick).columns, Inventory::kQuickSlots);
  // Another page makes its cells anew and takes the old ones away with their icons, whoever
  // still holds a cell.
  InventorySprite* held = &cell(kPack55);
  held->retain();
  engine::Sprite* icon = held->icon();
  ASSERT_NE(icon, nullptr);
  inventory().setPage(InventoryView::kCrafting);
  EXPECT_NE(inventory().spriteForSlot(kPack55), held);
  EXPECT_NE(inventory().spriteForSlot({SlotKind::CraftGrid, 2, 2}), nullptr) << "the crafting page's own cells";
  EXPECT_EQ(icon->getParent(), nullptr) << "no icon of a cell outlives its page";
  held->release();
  inventory().setPage(InventoryView::kBackpack);
  views().pop();
  EXPECT_TRUE(inventory().grid().empty());
}

TEST_F(InventoryGridTest, AClickSelectsAndASecondClickSwapsTheTwoCells) {
  items().setSlot(kQuick0, makeItem(kStone, 5));
  open();
  clickOn(kQuick0);
  EXPECT_TRUE(cell(kQuick0).isSelected());
  EXPECT_EQ(inventory().selectedSprite(), &cell(kQuick0));
  clickOn(kPack10);
  EXPECT_EQ(countIn(kQuick0), 0);
  EXPECT_EQ(countIn(kPack10), 5);
  EXPECT_EQ(inventory().selectedSprite(), nullptr);
  EXPECT_FALSE(cell(kQuick0).isSelected());
  // A click beside the grid still reaches the list.
  EXPECT_TRUE(inventory().mouseButton(engine::Vec2(-50, -50), kel::MOUSE_BUTTON_LEFT, true));
}

TEST_F(InventoryGridTest, SSplitsTheSelectedStackIntoItsNeighbourAndGGathersItBack) {
  items().setSlot(kPack00, makeItem(kStone, 7));
  open();
  inventory().keyEvent(engine::KeyCode::S, false);  // nothing selected: the key is not the grid's
  EXPECT_EQ(countIn(kPack00), 7);
  clickOn(kPack00);
  inventory().keyEvent(engine::KeyCode::S, false);
  EXPECT_EQ(countIn(kPack00), 4);
  EXPECT_EQ(countIn(kPack10), 3) << "the right neighbour takes the half";
  EXPECT_EQ(inventory().selectedSprite(), nullptr) << "the split lets the cell go";
  clickOn(kPack00);
  inventory().keyEvent(engine::KeyCode::G, false);
  EXPECT_EQ(countIn(kPack00), 7);
  EXPECT_EQ(countIn(kPack10), 0);
  inventory().keyEvent(engine::KeyCode::G, false);
  EXPECT_EQ(inventory().status(), "Nothing to gather.");
}

TEST_F(InventoryGridTest, AnItemThatArrivedWhileTheViewWasClosedIsNewUntilSeen) {
  items().setSlot(kPack00, makeItem(kStone, 2));
  open();
  EXPECT_FALSE(inventory().isNewItemCell(kPack00)) << "the first look finds nothing new";
  views().pop();
  items().setSlot(kPack10, makeItem(kStone, 1));
  open();
  EXPECT_TRUE(inventory().isNewItemCell(kPack10));
  EXPECT_FALSE(inventory().isNewItemCell(kPack00));
  inventory().clearNewItemCell(kPack10);
  EXPECT_FALSE(inventory().isNewItemCell(kPack10));
  EXPECT_FALSE(inventory().isNewItemCell(kQuick0));
  EXPECT_FALSE(inventory().isNewItemCell({SlotKind::Backpack, 3, 3})) << "an empty cell holds no news";
}

TEST_F(InventoryGridTest, AFloatingTextIsAlsoTheStatusLine) {
  open();
  inventory().showFloatingLabel("Found a thing", engine::Vec2(100, 100));
  EXPECT_EQ(inventory().status(), "Found a thing");
  EXPECT_NE(std::find(inventory().lines().begin(), inventory().lines().end(), "Found a thing"),
            inventory().lines().end());
}

}  // namespace
