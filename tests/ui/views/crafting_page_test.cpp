// The inventory's crafting page: a craft leaves every row where it was, and a station that is no
// longer there when the inventory opens leaves the page crafting by hand. In a creative world,
// whose inventory stores nothing handed to it, what a row or the result cell makes waits in the
// result cell and is still there after the inventory closes, and only what the player has there
// (the backpack and the creative quick row, not the other world's row) pays for a row.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "game/crafting/craft_grid_match.h"
#include "game/inventory/inventory.h"
#include "game/rules/block_use.h"
#include "platform/controls/abstract_controls.h"
#include "tests/game/content_rows.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "ui/widgets/ui_draw.h"
#include "world/map/world_map.h"

namespace {

constexpr uint16_t kLog = 7, kPlanks = 20, kStick = 21, kKindling = 22, kTool = 23;
constexpr uint16_t kAnvil = 38;
constexpr SlotRef kResult{SlotKind::Single, 0, 0};  // a station block of the station table, kind 4

class CraftingPageTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    // A window to point into: rows have places only in a window of some size.
    engine::Director::getInstance()->designResolutionChanged(engine::Size(1280, 720));
    test_rows::setRecipe(0, {.layout = 0, .result = kPlanks, .grid = {kLog}, .resultCount = 4});
    test_rows::setRecipe(1, {.layout = 3, .cells = 2, .result = kStick, .grid = {kPlanks, kPlanks}});
    test_rows::setRecipe(2, {.layout = 3, .cells = 2, .result = kKindling, .grid = {kStick, kStick}});
    test_rows::setRecipe(3, {.layout = 0, .result = kTool, .grid = {kLog}, .station = 4});
    theWorld().map().mutableProps().mutableRow(kAnvil) = BlockProps{.flags = 1ull << 36, .transparency = 1};
    local->setCell(10, 6);
    carry(kLog, 2);
    views().switchTo(ViewId::Main);
  }
  void carry(uint16_t id, uint16_t count) {
    Item item(id, 0, count, 0, 0);
    bool newSlot = false;
    local->inventory->findSlotFor(&item, newSlot);
  }
  InventoryView& openCraftingPage() {
    views().push(ViewId::Inventory);
    InventoryView& view = views().inventoryView();
    view.setPage(InventoryView::kCrafting);
    return view;
  }
  // The rows' recipes as their pictures tell them: the result, then what it is made of.
  static std::vector<std::string> recipesShown(InventoryView& view) {
    const auto told = [](const MenuList::Row::Icon& icon) {
      return "#" + std::to_string(icon.id) + (icon.count > 1 ? " x" + std::to_string(icon.count) : "");
    };
    std::vector<std::string> shown;
    for (const MenuList::Row& row : view.list().rows()) {
      std::string recipe = told(row.icon) + " <-";
      for (const MenuList::Row::Icon& ingredient : row.ingredients) recipe += " " + told(ingredient);
      shown.push_back(recipe);
    }
    return shown;
  }
  // Which rows are drawn faded: those that cannot be made now.
  static std::vector<bool> faded(InventoryView& view) {
    std::vector<bool> shown;
    for (const MenuList::Row& row : view.list().rows()) shown.push_back(row.dimmed);
    return shown;
  }
  // A point of the window over the row, found the way the pointer would.
  static engine::Vec2 pointOver(InventoryView& view, int row) {
    const engine::Size window = uiWindowSize();
    for (float y = window.height; y > 0; y -= 2.0f) {
      const engine::Vec2 point(window.width / 2.0f, y);
      if (view.list().rowAt(point) == row) return point;
    }
    ADD_FAILURE() << "row " << row << " is not shown";
    return {};
  }
};

TEST_F(CraftingPageTest, ACraftLeavesEveryRowWhereItWas) {
  InventoryView& page = openCraftingPage();
  const std::vector<std::string> before = recipesShown(page);
  ASSERT_EQ(before, (std::vector<std::string>{"#20 x4 <- #7", "#21 <- #20 x2", "#22 <- #21 x2"}));
  EXPECT_EQ(page.list().rows()[0].text, "#20") << "the row names its result";
  EXPECT_EQ(faded(page), (std::vector<bool>{false, true, true})) << "only the planks can be made from the logs";
  const engine::Vec2 overSticks = pointOver(page, 1);

  page.list().click(pointOver(page, 0));
  EXPECT_EQ(page.status(), "Made #20 x4.");
  page.list().click(pointOver(page, 0));
  EXPECT_EQ(page.status(), "Made #20 x4.") << "the second log";
  EXPECT_EQ(recipesShown(page), before) << "the planks that can no longer be made keep the first row";
  EXPECT_EQ(faded(page), (std::vector<bool>{true, false, true})) << "the logs used up, the planks make sticks";
  EXPECT_EQ(page.list().rowAt(overSticks), 1) << "the status line pushed no row down";

  page.list().click(overSticks);
  EXPECT_EQ(page.status(), "Made #21.");
  EXPECT_EQ(local->inventory->countItems(kStick, false, false), 1u);
  EXPECT_EQ(local->inventory->countItems(kKindling, false, false), 0u);
}

TEST_F(CraftingPageTest, AtAStationItsRecipesComeFirstAndAStationGoneLeavesCraftingByHand) {
  cell(9, 6).setLayer(kAnvil, 0, MapBlock::kFront);
  ASSERT_TRUE(useStationOrClock(theWorld(), cell(9, 6), MapBlock::kFront, *local));
  ASSERT_EQ(local->inventory->station(), 4);
  EXPECT_EQ(recipesShown(openCraftingPage()).front(), "#23 <- #7");
  views().pop();

  cell(9, 6).setLayer(0, 0, MapBlock::kFront);
  const std::vector<std::string> byHand = recipesShown(openCraftingPage());
  EXPECT_EQ(local->inventory->station(), 0);
  EXPECT_EQ(byHand, (std::vector<std::string>{"#20 x4 <- #7", "#21 <- #20 x2", "#22 <- #21 x2"}));
}

TEST_F(CraftingPageTest, InACreativeWorldARowsCraftWaitsInTheResultCell) {
  makeCreative();
  local->inventory->setSlot({SlotKind::Backpack, 0, 0}, ItemPtr(newItem(kLog, 0, 1, 0, 0)));
  InventoryView& page = openCraftingPage();

  page.list().click(pointOver(page, 0));
  EXPECT_EQ(page.status(), "Made #20 x4; take it from the result.");
  const Item* made = local->inventory->slotItem(kResult);
  ASSERT_NE(made, nullptr) << "the made planks are lost";
  EXPECT_EQ(made->id, kPlanks);
  EXPECT_EQ(made->count, 4);
  views().pop();
  made = local->inventory->slotItem(kResult);
  ASSERT_NE(made, nullptr) << "closing the inventory lost the planks";
  EXPECT_EQ(made->count, 4);
}

TEST_F(CraftingPageTest, InACreativeWorldOnlyTheCreativeRowAndTheBackpackPayForARow) {
  // The logs carried in the other world's quick row are hidden in a creative world.
  ASSERT_EQ(local->inventory->countItems(kLog, false, false), 2u);
  makeCreative();
  InventoryView& page = openCraftingPage();
  EXPECT_EQ(faded(page), (std::vector<bool>{true, true, true})) << "nothing in sight makes planks";
  page.list().click(pointOver(page, 0));
  EXPECT_EQ(page.status(), "The ingredients are missing.");
  EXPECT_EQ(local->inventory->slotItem(kResult), nullptr) << "planks made of hidden logs";
  views().pop();

  local->inventory->setSlot({SlotKind::Quick, 3, 0}, ItemPtr(newItem(kLog, 0, 1, 0, 0)));
  InventoryView& again = openCraftingPage();
  EXPECT_EQ(faded(again).front(), false) << "the log in the creative row makes planks";
  again.list().click(pointOver(again, 0));
  EXPECT_EQ(again.status(), "Made #20 x4; take it from the result.");
  EXPECT_EQ(local->inventory->slotItem({SlotKind::Quick, 3, 0}), nullptr) << "the creative row's log paid";
  uint32_t hidden = 0;
  for (const ItemPtr& slot : local->inventory->area(Inventory::Area::Quick)) hidden += slot ? slot->count : 0;
  EXPECT_EQ(hidden, 2u) << "the hidden row paid for nothing";
}

TEST_F(CraftingPageTest, InACreativeWorldTheResultCellsCraftOutlastsClosingTheInventory) {
  makeCreative();
  local->inventory->setSlot(craftGridSlot(0), ItemPtr(newItem(kLog, 0, 1, 0, 0)));
  InventoryView& page = openCraftingPage();
  InventorySprite* result = page.spriteForSlot(kResult);
  ASSERT_NE(result, nullptr);

  page.mouseButton(result->getPosition(), kel::MOUSE_BUTTON_LEFT, false);
  page.mouseButton(result->getPosition(), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_EQ(page.status(), "Made #20 x4.");
  ASSERT_NE(local->inventory->slotItem(kResult), nullptr);
  views().pop();
  const Item* made = local->inventory->slotItem(kResult);
  ASSERT_NE(made, nullptr) << "closing the inventory lost the planks";
  EXPECT_EQ(made->id, kPlanks);
  EXPECT_EQ(made->count, 4);
}

}  // namespace

// A click on the empty result cell picks it; the cells the page refreshes then ask for the texts
// again, and the page's lines are written once, not the grid's line twice with the rows moved down.
TEST_F(CraftingPageTest, PickingTheEmptyResultCellLeavesThePagesLinesAsTheyWere) {
  InventoryView& view = openCraftingPage();
  const std::vector<std::string> before = view.lines();
  const std::vector<std::string> rowsBefore = recipesShown(view);
  ASSERT_EQ(std::count(before.begin(), before.end(), "Craft grid: lay ingredients out in it."), 1);
  const engine::Vec2 at = view.spriteForSlot(kResult)->getPosition();
  view.mouseButton(at, kel::MOUSE_BUTTON_LEFT, false);
  view.mouseButton(at, kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_EQ(view.lines(), before);
  EXPECT_EQ(recipesShown(view), rowsBefore);
}
