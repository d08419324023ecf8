// Crafting played through the window's input events: a new character in a new world places a
// workbench and uses it, crafts a wooden shovel there with a click on its row of the crafting page
// (the shovel's book entry still unknown, so a notice names the entry learned, over the page, until
// OK closes it; the inventory leaves the screen behind it, icons and frames alike), and the crafting page's own cells follow at once (the
// shovel's icon is drawn, the planks' count is what is left), as does the backpack page; walking away
// from the bench brings the page back to crafting by hand, where a click makes oak planks. Four
// planks in the grid's top-left corner make a workbench; coal laid left of a stick by hand names
// the anvil its copper torch needs rather than make a later recipe that fits too.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "game/crafting/craft_grid_match.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "menus/start_view.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "engine/scene/director.h"
#include "engine/text/label.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/overlay_art.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kWorkbench = 24, kStick = 3303, kOakPlanks = 2149, kWoodenShovel = 2, kCoal = 64;
constexpr uint8_t kWorkbenchStation = 1;

InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// Brings the row into the shown part of the list with the arrow keys, then clicks it.
bool clickRow(const std::string& prefix) {
  const int index = rowIndex(prefix);
  ListView* view = currentList();
  if (index < 0 || view == nullptr) return false;
  while (view->list().selected() != index) tap(view->list().selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
  engine::Vec2 point;
  if (!pointOverRow(*view, index, point)) return false;
  click(point, GLFW_MOUSE_BUTTON_LEFT);
  return true;
}

// The pixels of light text between the foot of a list view's texts and the window's top.
int brightPixels(float textsFoot) {
  const int width = static_cast<int>(engine::Director::getInstance()->getWinSize().width);
  const int height = static_cast<int>(engine::Director::getInstance()->getWinSize().height);
  const int foot = static_cast<int>(textsFoot);
  const std::vector<unsigned char> pixels = framePixels(0, foot, width, height - foot);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) count += pixels[i] + pixels[i + 1] + pixels[i + 2] > 360;
  return count;
}

bool onCraftingPage() { return current() == ViewId::Inventory && inventoryView().page() == InventoryView::kCrafting; }

using CraftAtWindowTest = AppRunTest;

TEST_F(CraftAtWindowTest, AShovelIsMadeAtTheWorkbenchAndPlanksByHandAwayFromIt) {
  int waited = 0;
  MapBlock* bench = nullptr;
  std::vector<SlotRef> shovelsBefore;
  SlotRef newShovel;
  int shovelIconPixels = 0, shovelOnCraftingPage = 0;
  int walkKey = 0;
  uint32_t planksBefore = 0;
  int noticeText = 0;
  engine::Vec2 planksCell;
  int iconsBehindNotice = -1, iconsOnPage = 0;

  Script script(joined(intoANewWorld(), {
      {"carry a workbench and what a shovel takes", [&] {
         give(kWorkbench, 1);
         give(kStick, 2);
         give(kOakPlanks, 2);
         return carriedCount(kWorkbench) == 1 && carriedCount(kStick) == 2 && carriedCount(kOakPlanks) == 2;
       }},
      {"place the workbench", [&] {
         bench = placeCarriedNextToPlayer(kWorkbench);
         if (bench == nullptr) return false;
         return bench->frontId() != 0;
       }, 10},
      {"use it", [&] {
         if (current() == ViewId::Main) click(pointOf(*bench), GLFW_MOUSE_BUTTON_RIGHT);
         // With the openCraftbookRecipe option (on by default) the station opens the book first.
         if (current() == ViewId::Book) chooseRow(BookView::kCraftHere);
         return onCraftingPage() && player()->inventory->station() == kWorkbenchStation;
       }, 10},
      {"click the wooden shovel's row", [&] {
         shovelsBefore = slotsHolding(kWoodenShovel);
         const std::vector<SlotRef> planks = slotsHolding(kOakPlanks);
         const InventorySprite* planksSprite = planks.empty() ? nullptr : inventoryView().spriteForSlot(planks[0]);
         if (planksSprite == nullptr || planksSprite->icon() == nullptr) return false;
         planksCell = planksSprite->getPosition();
         iconsOnPage = nodePixels(*overlay_art::iconBatch(), planksCell, 6);
         if (!clickRow("Wooden Shovel")) {
           ADD_FAILURE() << "no wooden shovel row at the workbench";
           return false;
         }
         return inventoryView().status() == "Made Wooden Shovel.";
       }, 5},
      {"a notice names the entry learned", [&] {
         ListView* notice = currentList();
         if (current() != ViewId::Dialog || notice == nullptr) return false;
         EXPECT_EQ(notice->title(), "Notice");
         EXPECT_FALSE(notice->lines().empty()) << "the notice names no entry";
         noticeText = brightPixels(notice->textsFoot());
         // The inventory leaves the screen behind the notice, its icons with its frames.
         iconsBehindNotice = nodePixels(*overlay_art::iconBatch(), planksCell, 6);
         tap(GLFW_KEY_ENTER);
         return current() == ViewId::Inventory;
       }, 5},
      {"the crafting page's own cells show the shovel and the planks left", [&] {
         for (SlotRef slot : slotsHolding(kWoodenShovel)) {
           if (std::find(shovelsBefore.begin(), shovelsBefore.end(), slot) == shovelsBefore.end()) newShovel = slot;
         }
         if (newShovel.isNone()) {
           ADD_FAILURE() << "the shovel is in no slot";
           return false;
         }
         const InventorySprite* cell = inventoryView().spriteForSlot(newShovel);
         if (cell == nullptr || cell->icon() == nullptr) {
           ADD_FAILURE() << "the crafting page does not draw the new shovel";
           return false;
         }
         shovelOnCraftingPage = iconPixels(*cell);
         for (SlotRef slot : slotsHolding(kOakPlanks)) {
           const InventorySprite* planks = inventoryView().spriteForSlot(slot);
           const uint16_t count = player()->inventory->slotItem(slot)->count;
           const std::string drawn = planks != nullptr && planks->countLabel() != nullptr ? planks->countLabel()->getString() : "";
           EXPECT_EQ(drawn, count > 1 ? std::to_string(count) : "") << "the planks' cell draws the count left";
         }
         for (const InventorySprite* shown : inventoryView().grid().sprites()) {
           const Item* there = player()->inventory->slotItem(shown->slot());
           EXPECT_EQ(shown->icon() != nullptr, there != nullptr && !there->isNone())
               << "a cell of kind " << static_cast<int>(shown->slot().kind) << " shows a stack of before";
         }
         return true;
       }, 5},
      {"its icon is drawn in a cell of the backpack page", [&] {
         tap(GLFW_KEY_TAB);
         tap(GLFW_KEY_TAB);
         const InventorySprite* cell = inventoryView().spriteForSlot(newShovel);
         if (inventoryView().page() != InventoryView::kBackpack || cell == nullptr || cell->icon() == nullptr) return false;
         shovelIconPixels = iconPixels(*cell);
         return true;
       }, 5},
      escapedTo("close the inventory", ViewId::Main),
      {"walk away from the bench", [&] {
         const int32_t away = static_cast<int32_t>(player()->cellX) - static_cast<int32_t>(bench->x);
         if (walkKey == 0) {
           walkKey = away > 0 ? GLFW_KEY_D : GLFW_KEY_A;
           press(walkKey);
         }
         // Jumps over what stands in the way.
         if (++waited % 20 == 0) tap(GLFW_KEY_SPACE);
         if (std::abs(away) < 3) return false;
         release(walkKey);
         waited = 0;
         return true;
       }, 60 * 10},
      {"the station is left behind", [&] { return player()->inventory->station() == 0; }, 1},
      {"open the crafting page", [&] {
         tap(GLFW_KEY_E);
         tap(GLFW_KEY_TAB);
         tap(GLFW_KEY_TAB);
         return onCraftingPage();
       }},
      {"click the oak planks' row", [&] {
         EXPECT_FALSE(hasRow("Wooden Shovel")) << "the workbench's recipes are left behind";
         planksBefore = carriedCount(kOakPlanks);
         if (!clickRow("Oak Planks")) {
           ADD_FAILURE() << "no oak planks row by hand";
           return false;
         }
         return inventoryView().status() == "Made Oak Planks x4.";
       }, 5},
      {"the planks are carried", [&] {
         EXPECT_EQ(carriedCount(kOakPlanks), planksBefore + 4);
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
  }));

  playScript(script);
  EXPECT_GT(noticeText, 100) << "the notice draws no text";
  EXPECT_GT(iconsOnPage, 20) << "the planks' icon is not drawn on the crafting page";
  EXPECT_EQ(iconsBehindNotice, 0) << "the inventory's icons float over the world behind the notice";
  EXPECT_GT(shovelIconPixels, 20) << "the new shovel's cell draws no icon";
  EXPECT_GT(shovelOnCraftingPage, 20) << "the crafting page's cell of the new shovel draws no icon";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

// Four planks dragged into the craft grid's top-left corner make a workbench when pressed out of
// the result cell, as in any other corner: the same square laid exactly there also fits a shelf of
// the carpentry bench, which cannot be made by hand. The crafting page lists the workbench among
// the rows it shows first.
TEST_F(CraftAtWindowTest, FourPlanksInTheGridsTopLeftCornerMakeAWorkbench) {
  std::vector<SlotRef> singles;
  const SlotRef corner[4] = {craftGridSlot(0), craftGridSlot(1), craftGridSlot(3), craftGridSlot(4)};
  size_t laid = 0;

  Script script(joined(intoANewWorld(), {
      {"four planks, one to a backpack cell", [&] {
         for (uint8_t y = 0; y < Inventory::kBackpackSide && singles.size() < 4; ++y) {
           for (uint8_t x = 0; x < Inventory::kBackpackSide && singles.size() < 4; ++x) {
             const SlotRef slot{SlotKind::Backpack, x, y};
             if (player()->inventory->slotItem(slot) != nullptr) continue;
             player()->inventory->setSlot(slot, newItem(kOakPlanks, 0, 1, 0, 0));
             singles.push_back(slot);
           }
         }
         return singles.size() == 4;
       }, 1},
      inventoryPageOpened("open the crafting page", InventoryView::kCrafting, 10),
      {"the page lists the workbench where it is seen", [&] {
         // The page shows eight rows at 1280x720 before it scrolls.
         const int row = rowIndex("Workbench");
         EXPECT_GE(row, 0) << "no workbench row by hand";
         EXPECT_LT(row, 8) << "the workbench row lies below the rows the page shows";
         return true;
       }, 1},
      {"drag the planks into the grid's top-left 2x2", [&] {
         if (laid < 4) {
           dragInventoryStack(singles[laid], corner[laid]);
           ++laid;
           return false;
         }
         for (const SlotRef& cell : corner) {
           const Item* plank = player()->inventory->slotItem(cell);
           if (plank == nullptr || plank->id != kOakPlanks) return false;
         }
         return true;
       }, 30},
      {"press the result cell", [&] {
         pointAt(inventoryCellPoint({SlotKind::Single, 0, 0}));
         leftButton(GLFW_PRESS);
         leftButton(GLFW_RELEASE);
         EXPECT_EQ(inventoryView().status(), "Made Workbench.");
         const Item* made = player()->inventory->slotItem({SlotKind::Single, 0, 0});
         return made != nullptr && made->id == kWorkbench;
       }, 5},
      escapedTo("close the inventory", ViewId::Main),
  }));

  playScript(script);
}

// Coal in the grid's first cell and a stick right of it fit the anvil's copper torches first, and
// further down the table a wall torch made by hand (coal and a stick anywhere): by hand the grid
// names the anvil, shows nothing in the result cell and makes nothing when it is pressed.
TEST_F(CraftAtWindowTest, TheGridTakesTheFirstFittingRecipeAndNamesItsStation) {
  SlotRef coal, stick;
  std::string gridLine;
  int laid = 0;

  Script script(joined(intoANewWorld(), {
      {"coal and a stick", [&] {
         give(kCoal, 1);
         give(kStick, 1);
         const std::vector<SlotRef> coals = slotsHolding(kCoal), sticks = slotsHolding(kStick);
         if (coals.empty() || sticks.empty()) return false;
         coal = coals[0];
         stick = sticks[0];
         return true;
       }, 5},
      inventoryPageOpened("open the crafting page", InventoryView::kCrafting, 10),
      {"coal in the first cell, the stick right of it", [&] {
         if (laid == 0) dragInventoryStack(coal, craftGridSlot(0));
         if (laid == 1) dragInventoryStack(stick, craftGridSlot(1));
         laid = std::min(laid + 1, 2);
         const Item* first = player()->inventory->slotItem(craftGridSlot(0));
         const Item* second = player()->inventory->slotItem(craftGridSlot(1));
         return first != nullptr && first->id == kCoal && second != nullptr && second->id == kStick;
       }, 30},
      {"the grid's line, as drawn", [&] {
         // Read from the lines the view draws, wrapped as they are drawn.
         gridLine.clear();
         for (const std::string& line : inventoryView().shownLines()) gridLine += line + " ";
         return gridLine.find("Craft grid:") != std::string::npos;
       }, 5},
      {"the result cell shows nothing and makes nothing", [&] {
         const InventorySprite* result = inventoryView().spriteForSlot({SlotKind::Single, 0, 0});
         EXPECT_NE(result, nullptr);
         if (result != nullptr) {
           EXPECT_EQ(result->preview().id, ITEM_NONE) << "the result cell shows " << result->preview().id;
         }
         pointAt(inventoryCellPoint({SlotKind::Single, 0, 0}));
         leftButton(GLFW_PRESS);
         leftButton(GLFW_RELEASE);
         const Item* made = player()->inventory->slotItem({SlotKind::Single, 0, 0});
         EXPECT_TRUE(made == nullptr || made->isNone()) << "item " << made->id << " was made by hand";
         return true;
       }, 5},
      escapedTo("close the inventory", ViewId::Main),
  }));

  playScript(script);
  EXPECT_NE(gridLine.find("Craft grid: Copper Torch x4 needs Anvil."), std::string::npos) << gridLine;
}

}  // namespace
