// The inventory's lines played through the window: a new character opens the crafting page in the
// small window and makes oak planks by hand, so the page shows its help, the craft's status and the
// grid's line. Every line is drawn in light text beside the cells, over the list: none of it runs
// over the quick row or the band under it, where the cells would hide it.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"

namespace {

using namespace apptest;

InventoryView& inventoryView() { return gameViews()->inventoryView(); }

// The box of the cells of one kind (view points, y upwards).
struct Box {
  float left = 1e9f, bottom = 1e9f, right = -1e9f, top = -1e9f;
};

Box cellsBox(SlotKind kind) {
  Box box;
  const float half = inventoryView().grid().pitch() / 2.0f;
  for (const auto& sprite : inventoryView().grid().sprites()) {
    if (sprite->slot().kind != kind) continue;
    const engine::Vec2 at = sprite->getPosition();
    box.left = std::min(box.left, at.x - half);
    box.right = std::max(box.right, at.x + half);
    box.bottom = std::min(box.bottom, at.y - half);
    box.top = std::max(box.top, at.y + half);
  }
  return box;
}

// The pixels of the lines' own light colour in the region.
int linePixels(int x, int y, int width, int height) {
  const std::vector<unsigned char> pixels = framePixels(x, y, width, height);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    const bool light = std::abs(pixels[i] - 220) < 14 && std::abs(pixels[i + 1] - 220) < 14 &&
                       std::abs(pixels[i + 2] - 200) < 14;
    count += light ? 1 : 0;
  }
  return count;
}

using InventoryLinesWindowTest = AppRunTest;

TEST_F(InventoryLinesWindowTest, ThePagesLinesStayBesideTheCells) {
  int underCells = -1, besideCells = 0;
  size_t lines = 0;

  Script script(joined(intoANewWorld(), {
      inventoryPageOpened("open the crafting page", InventoryView::kCrafting, 30),
      {"make oak planks by hand", [&] {
         if (!chooseRow("Oak Planks")) return false;
         return inventoryView().status() == "Made Oak Planks x4.";
       }, 10},
      {"read the lines around the cells", [&] {
         if (current() != ViewId::Inventory || inventoryView().grid().empty()) return false;
         lines = inventoryView().shownLines().size();
         // The quick row and the band under it down to the backpack, which the page's captions
         // (the craft grid's, the result's) leave free.
         const Box quick = cellsBox(SlotKind::Quick);
         const Box backpack = cellsBox(SlotKind::Backpack);
         const int left = static_cast<int>(quick.left), bottom = static_cast<int>(backpack.top) + 1;
         underCells = linePixels(left, bottom, static_cast<int>(quick.right) - left, static_cast<int>(quick.top) - bottom);
         const int right = static_cast<int>(quick.right) + 1;
         const int width = static_cast<int>(engine::Director::getInstance()->getWinSize().width);
         const int height = static_cast<int>(engine::Director::getInstance()->getWinSize().height);
         besideCells = linePixels(right, bottom, width - right, height - bottom);
         tap(GLFW_KEY_ESCAPE);
         return true;
       }, 5},
  }));

  playScript(script);
  EXPECT_GE(lines, 4u) << "the help, the status and the grid's line";
  EXPECT_EQ(underCells, 0) << "lines run under the cells, where the quick row and the backpack hide them";
  EXPECT_GT(besideCells, 100) << "the lines are not drawn beside the cells";
}

}  // namespace
