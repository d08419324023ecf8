// The inventory's captions go with what they tell of, played through the window. A paint dragged
// onto a firework says "Filled: 1 of 4 colours" on the page it was filled on only: the next page
// does not say it, and once the firework is thrown out of its cell the page it was filled on says
// it no more. A page that teaches a recipe, right-clicked in the first quick cell, floats its
// "Learned:" text whole inside the window, and nothing of it is left over the cells when the
// inventory opens again (after the craft book opened at the recipe, or the text had no time to go).

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "content/items/item.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"

namespace {

using namespace apptest;

constexpr uint16_t kFirework = 1042;
constexpr uint16_t kRedPaint = 359;
constexpr uint16_t kBluePaint = 615;
constexpr uint16_t kRecipePage = 1502;     // teaches the craft book entry its word names
constexpr uint16_t kAnvilEntry = 0, kTableEntry = 1;
constexpr SlotRef kFirstQuickCell{SlotKind::Quick, 0, 0};

InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// Whether a line the inventory draws holds the text.
bool drawnLineHolds(const std::string& text) {
  for (const std::string& line : inventoryView().shownLines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

std::vector<engine::Label*> inventoryLabels(const std::string& prefix) {
  return labelsUnder(*inventoryView().root(), prefix);
}

// A label's rectangle in the window, whole inside it: its box in its parent, moved by where its
// parents stand (the views' nodes are not scaled).
bool insideWindow(const engine::Label& label) {
  const engine::Size window = engine::Director::getInstance()->getWinSize();
  engine::Rect box = label.getBoundingBox();
  for (const engine::Node* up = label.getParent(); up != nullptr; up = up->getParent()) {
    box.origin = box.origin + up->getPosition();
  }
  return box.getMinX() >= 0 && box.getMinY() >= 0 && box.getMaxX() <= window.width && box.getMaxY() <= window.height;
}

// The pointer presses on the cell, drags past the threshold and lets go far from every cell.
void throwFromCell(SlotRef from) {
  const engine::Size window = engine::Director::getInstance()->getWinSize();
  pointAt(inventoryCellPoint(from));
  leftButton(GLFW_PRESS);
  pointAt(inventoryCellPoint(from) + engine::Vec2(8, 8));
  pointAt(engine::Vec2(window.width - 4, window.height - 4));
  leftButton(GLFW_RELEASE);
}

// The paint's stack is dragged onto the firework's cell, which takes it whole.
Step paintDraggedOntoTheFirework(std::string name, uint16_t paint) {
  return {std::move(name), [paint] {
            dragInventoryStack(slotOf(paint), slotOf(kFirework));
            return carriedCount(paint) == 0;
          }, 5};
}

// A page of the craft book entry in the first quick cell.
bool recipePageInFirstQuickCell(uint16_t entry) {
  player()->inventory->setSlot(kFirstQuickCell, newItem(kRecipePage, 0, 1, 0, entry));
  const Item* page = player()->inventory->slotItem(kFirstQuickCell);
  return page != nullptr && page->id == kRecipePage;
}

using CaptionsAtWindowTest = AppRunTest;

TEST_F(CaptionsAtWindowTest, AFireworksFillCaptionGoesWithItsPageAndWithTheFirework) {
  bool saidOnItsPage = false, saidAgain = false, floatedInside = false;
  Script script(joined(intoANewWorld(), {
      {"carry a firework and two paints", [&] {
         give(kFirework, 1);
         give(kRedPaint, 1);
         give(kBluePaint, 1);
         return carriedCount(kFirework) == 1 && carriedCount(kRedPaint) == 1 && carriedCount(kBluePaint) == 1;
       }, 1},
      inventoryPageOpened("the backpack page", InventoryView::kBackpack, 10),
      paintDraggedOntoTheFirework("drag the red paint onto the firework", kRedPaint),
      {"the page says it was filled", [&] {
         saidOnItsPage = drawnLineHolds("Filled: 1 of 4 colours");
         const std::vector<engine::Label*> floating = inventoryLabels("Filled:");
         floatedInside = !floating.empty() && insideWindow(*floating.front());
         return true;
       }, 1},
      inventoryPageOpened("the next page", InventoryView::kEquipment, 10),
      {"the next page does not say it", [&] {
         EXPECT_FALSE(drawnLineHolds("Filled:")) << "a fill told on the equipment page";
         return true;
       }, 1},
      inventoryPageOpened("back to the backpack page", InventoryView::kBackpack, 10),
      paintDraggedOntoTheFirework("drag the blue paint onto the firework", kBluePaint),
      {"it says so again", [&] {
         saidAgain = drawnLineHolds("Filled: 2 of 4 colours");
         return true;
       }, 1},
      {"throw the firework out of its cell", [&] {
         if (carriedCount(kFirework) != 0) throwFromCell(slotOf(kFirework));
         return carriedCount(kFirework) == 0;
       }, 5},
      {"the page no longer says it", [&] {
         EXPECT_FALSE(drawnLineHolds("Filled:")) << "the fill is told of a firework that is gone";
         return true;
       }, 1},
      escapedTo("close the inventory", ViewId::Main),
  }));
  playScript(script);
  EXPECT_TRUE(saidOnItsPage) << "the fill was not told where it was made";
  EXPECT_TRUE(saidAgain);
  EXPECT_TRUE(floatedInside) << "the fill's floating text runs out of the window";
}

TEST_F(CaptionsAtWindowTest, ALearnedRecipesTextFloatsInsideTheWindowAndIsGoneAtTheNextOpening) {
  bool floatedInside = false;
  int leftOver = -1, leftOverLater = -1;
  Script script(joined(intoANewWorld(), {
      {"a page of the anvil in the first quick cell", [&] { return recipePageInFirstQuickCell(kAnvilEntry); }, 1},
      inventoryPageOpened("the backpack page", InventoryView::kBackpack, 10),
      {"right-click the page: the craft book opens at the anvil", [&] {
         if (current() == ViewId::Inventory) click(inventoryCellPoint(kFirstQuickCell), GLFW_MOUSE_BUTTON_RIGHT);
         return current() == ViewId::Book;
       }, 10},
      {"close the book", [&] {
         if (current() == ViewId::Book) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
      inventoryPageOpened("the inventory again", InventoryView::kBackpack, 10),
      {"nothing of the learned text is left", [&] {
         leftOver = static_cast<int>(inventoryLabels("Learned:").size());
         return true;
       }, 1},
      {"the book stays shut for the next page", [&] {
         kel::options().openCraftbookRecipe = false;
         return recipePageInFirstQuickCell(kTableEntry);
       }, 1},
      {"right-click it: its text floats whole inside the window", [&] {
         click(inventoryCellPoint(kFirstQuickCell), GLFW_MOUSE_BUTTON_RIGHT);
         const std::vector<engine::Label*> floating = inventoryLabels("Learned:");
         if (floating.empty()) return false;
         floatedInside = insideWindow(*floating.front());
         return true;
       }, 5},
      escapedTo("close the inventory at once", ViewId::Main),
      inventoryPageOpened("the inventory once more", InventoryView::kBackpack, 10),
      {"nothing of that text is left either", [&] {
         leftOverLater = static_cast<int>(inventoryLabels("Learned:").size());
         return true;
       }, 1},
      escapedTo("close it", ViewId::Main),
  }));
  playScript(script);
  EXPECT_EQ(leftOver, 0) << "the learned text stays over the cells after the book opened";
  EXPECT_TRUE(floatedInside) << "the learned text is cut at the window's edge";
  EXPECT_EQ(leftOverLater, 0) << "the learned text stays over the cells at the next opening";
}

}  // namespace
