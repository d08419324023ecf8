// The content's largest chest paged through the window's input events: placed beside a new
// character and right-clicked, it shows the first page of its slots; a click on its next button
// shows the following page, and the wheel over its cells walks on to the last page, where planks
// put in the last slot are drawn. A click on that cell and another on an empty backpack cell take
// the planks out of the slot the cell shows. The wheel walks back to the first page; at either end a
// further step does nothing.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "game/player/player_desktop.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/chest_steps.h"
#include "tests/app_gl/window_play.h"
#include "tests/ui/chest_cells.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/blocks/chest.h"

namespace {

using namespace apptest;
using ui_test::chestSlot;

constexpr uint16_t kOakPlanks = 2149;
constexpr SlotRef kEmptyBackpackCell{SlotKind::Backpack, 5, 5};

InventoryView& inventoryView() { return gameViews()->inventoryView(); }
std::vector<size_t> shownChestSlots() { return ui_test::shownChestSlots(inventoryView()); }
engine::Vec2 nextButtonPoint() { return ui_test::pageButtonPoint(inventoryView(), true); }

using ChestPagesAtWindowTest = AppRunTest;

TEST_F(ChestPagesAtWindowTest, TheLargestChestPagesByItsButtonAndTheWheelAndItsCellsTakeTheSlotsTheyShow) {
  const ItemRule& largest = largestChest();
  const size_t last = largest.value - 1u;
  MapBlock* cell = nullptr;
  Chest* chest = nullptr;
  size_t perPage = 0;
  int lastOffset = 0, storedIconPixels = 0;

  std::vector<Step> steps = joined(intoANewWorld(), chestPlaced(largest, cell, chest));
  Script script(joined(steps, {
      {"planks in its last slot", [&] {
         chest->setItem(static_cast<int32_t>(last), newItem(kOakPlanks, 0, 5, 0, 0));
         return chest->itemAt(last) != nullptr;
       }, 1},
      chestOpened("right-click it", cell, chest),
      {"its first page is shown", [&] {
         const std::vector<size_t> shown = shownChestSlots();
         perPage = shown.size();
         EXPECT_TRUE(perPage > 0 && perPage < largest.value) << perPage << " cells of " << int{largest.value};
         EXPECT_EQ(shown.front(), 0u);
         return perPage > 0 && inventoryCellPoint(chestSlot(last)).x < 0;
       }, 1},
      {"click its next button", [&] {
         if (chest->offset() == 0) click(nextButtonPoint(), GLFW_MOUSE_BUTTON_LEFT);
         return chest->offset() == static_cast<int32_t>(perPage) && shownChestSlots().front() == perPage;
       }, 1},
      {"turn the wheel over its cells to the last page", [&] {
         if (inventoryCellPoint(chestSlot(last)).x < 0) turnWheel(inventoryCellPoint(chestSlot(shownChestSlots().front())), 1);
         return inventoryCellPoint(chestSlot(last)).x >= 0;
       }, 30},
      {"the planks are drawn in the last cell", [&] {
         const InventorySprite* shown = inventoryView().grid().spriteFor(chestSlot(last));
         if (shown == nullptr || shown->icon() == nullptr) return false;
         storedIconPixels = iconPixels(*shown);
         lastOffset = chest->offset();
         turnWheel(inventoryCellPoint(chestSlot(last)), 1);
         return true;
       }, 1},
      {"a wheel step past the last page does nothing", [&] {
         EXPECT_EQ(chest->offset(), lastOffset);
         return inventoryCellPoint(chestSlot(last)).x >= 0;
       }, 1},
      {"click the last cell, then an empty backpack cell", [&] {
         click(inventoryCellPoint(chestSlot(last)), GLFW_MOUSE_BUTTON_LEFT);
         click(inventoryCellPoint(kEmptyBackpackCell), GLFW_MOUSE_BUTTON_LEFT);
         return carriedCount(kOakPlanks) == 5 && chest->itemAt(last) == nullptr;
       }, 1},
      {"turn the wheel back to the first page", [&] {
         const std::vector<size_t> shown = shownChestSlots();
         if (chest->offset() > 0) turnWheel(inventoryCellPoint(chestSlot(shown.front())), -1);
         return chest->offset() == 0 && shownChestSlots().front() == 0;
       }, 30},
      {"a wheel step back at the first page", [&] {
         turnWheel(inventoryCellPoint(chestSlot(0)), -1);
         return true;
       }, 1},
      {"does nothing", [&] { return chest->offset() == 0 && shownChestSlots().front() == 0; }, 1},
      {"close the inventory", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main && player()->openContainer() == nullptr;
       }},
  }));

  playScript(script);
  EXPECT_GT(storedIconPixels, 20) << "the planks in the last slot are not drawn in its cell";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
