// The craft book's pages played through the window: a new character holds a workbench and sees its
// block, faded, at the pointed cell before placing it; mines it again with a held button while the
// bar over it fills; opens the book with its key, where each entry has its icon; types a search that
// narrows the entries; holds the down arrow, which keeps stepping through the list; opens the
// chemistry pages, whose potions show their icons; and opens the collection book, whose "Blocks"
// page shows the placed workbench met, with its icon.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/rules/item_use_rules.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/hud/mining_bar.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "ui/widgets/framed_panel.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint16_t kWorkbench = 24;

BookView& book() { return gameViews()->bookView(); }

// Pixels of the row's left square (where an icon stands) that are neither the row's band nor grey
// text: an icon's colours. `inset` leaves out that much of the square's edges (the frame's gold).
int iconPixelsInRow(int row, int inset = 0) {
  const engine::Rect rect = book().list().rowRect(row);
  if (rect.size.width <= 0) return 0;
  const int side = static_cast<int>(rect.size.height) - 2 * inset;
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(rect.getMinX()) + inset, static_cast<int>(rect.getMinY()) + inset, side, side);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    const int r = pixels[i], g = pixels[i + 1], b = pixels[i + 2];
    const int spread = std::max({r, g, b}) - std::min({r, g, b});
    const bool band = std::abs(r - 40) + std::abs(g - 44) + std::abs(b - 52) < 30 ||
                      std::abs(r - 90) + std::abs(g - 110) + std::abs(b - 160) < 30;
    if (!band && spread > 30) ++count;
  }
  return count;
}

// The icon pixels inside the frames of every row shown but the selected one (whose wash tints its
// fill): the entries' icons, which the recipe rows have not.
int iconPixelsShown() {
  // The frame's gold edge is three of its pixels wide; two more for a row off the pixel grid.
  const int edge = 3 * static_cast<int>(framePixelScale()) + 2;
  int count = 0;
  for (int row = 0; row < static_cast<int>(book().list().rows().size()); ++row) {
    if (row != book().list().selected()) count += iconPixelsInRow(row, edge);
  }
  return count;
}

// Pixels of the mining bar's fill colour in the band above the cell.
int fillPixelsAbove(const MapBlock& cell) {
  const engine::Vec2 at = pointOf(cell);
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(at.x) - 40, static_cast<int>(at.y), 80, 60);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    count += std::abs(pixels[i] - 240) + std::abs(pixels[i + 1] - 214) + std::abs(pixels[i + 2] - 120) < 40;
  }
  return count;
}

bool lowerHas(std::string text, const std::string& part) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text.find(part) != std::string::npos;
}

// Takes a quick slot whose tool breaks the cell into hand; false for none.
bool holdToolFor(MapBlock& cell) {
  for (uint8_t slot = 0; slot < 4; ++slot) {
    tap(quickKey(slot));
    if (canBreakBlock(*player()->world, nullptr, player()->heldItem(), cell)) return true;
  }
  return false;
}

using BookPagesAtWindowTest = AppRunTest;

TEST_F(BookPagesAtWindowTest, PreviewMiningBarSearchChemistryAndCollections) {
  MapBlock* cell = nullptr;
  int previewPixels = 0, earlyFill = -1, lateFill = 0;
  int iconsBeside = 0, iconsFound = -1, potionIcons = 0, metIcons = 0;
  size_t rowsBefore = 0;
  int heldFrames = 0;
  std::string metRow;

  Script script(joined(intoANewWorld(), {
      {"hold a workbench and point at a free cell", [&] {
         give(kWorkbench, 2);
         const std::vector<SlotRef> slots = slotsHolding(kWorkbench);
         cell = placeNextToPlayer();
         if (slots.empty() || slots[0].kind != SlotKind::Quick || cell == nullptr) return false;
         tap(quickKey(slots[0].x));
         pointAt(pointOf(*cell));
         return true;
       }},
      {"the workbench shows faded at the cell", [&] {
         engine::Sprite* preview = MainLayer::current()->previewSprite();
         if (preview == nullptr || !preview->isVisible()) return false;
         // The whole cell: a workbench's middle is open between its legs.
         previewPixels = nodePixels(*preview, pointOf(*cell), 15);
         return true;
       }, 10},
      {"place it", [&] {
         cell = placeCarriedNextToPlayer(kWorkbench);
         return cell != nullptr && cell->frontId() != 0;
       }, 10},
      {"mine it with a held button", [&] {
         if (earlyFill < 0) {
           if (!holdToolFor(*cell)) {
             ADD_FAILURE() << "no starting tool breaks the workbench";
             return true;
           }
           pointAt(pointOf(*cell));
           leftButton(GLFW_PRESS);
           earlyFill = 0;
           return false;
         }
         const MainView& main = gameViews()->mainView();
         const float progress = main.miningBar().percentage();
         if (earlyFill == 0 && progress > 20.0f && progress < 50.0f) earlyFill = fillPixelsAbove(*cell);
         if (progress > 70.0f && lateFill == 0) lateFill = fillPixelsAbove(*cell);
         if (cell->frontId() != 0) return false;
         leftButton(GLFW_RELEASE);
         return true;
       }, 60 * 20},
      {"place it again", [&] {
         cell = placeCarriedNextToPlayer(kWorkbench);
         return cell != nullptr && cell->frontId() != 0;
       }, 10},
      {"open the book with its key", [&] {
         tap(GLFW_KEY_B);
         if (current() != ViewId::Book) return false;
         // The first entry stands after the search row.
         iconsBeside = iconPixelsInRow(1);
         rowsBefore = book().list().rows().size();
         return true;
       }, 10},
      {"search the entries", [&] {
         if (!book().search().isListening() && !chooseRow(BookView::kSearchRow)) return false;
         type("wood");
         return book().search().text() == "wood";
       }, 10},
      {"the list holds only what was found", [&] {
         tap(GLFW_KEY_ENTER);
         if (book().search().isListening()) return false;
         for (const MenuList::Row& row : book().list().rows()) {
           if (row.icon.atlas == MenuList::Row::Icon::Interface) {
             EXPECT_TRUE(lowerHas(row.text, "wood")) << row.text;
           }
         }
         // No entry's name holds the text: what is drawn is the recipes found, without icons.
         iconsFound = iconPixelsShown();
         return book().list().rows().size() < rowsBefore;
       }, 10},
      {"clear the search", [&] {
         chooseRow(BookView::kSearchRow);
         tap(GLFW_KEY_ENTER);
         return !book().search().isListening() && book().search().text().empty() &&
                book().list().rows().size() == rowsBefore;
       }, 10},
      {"hold the down arrow", [&] {
         if (heldFrames == 0) {
           book().list().select(0);
           press(GLFW_KEY_DOWN);
         }
         if (++heldFrames < 60) return false;
         release(GLFW_KEY_DOWN);
         // One step on the press, then the repeats of a second held.
         EXPECT_GE(book().list().selected(), 5) << "the held key stepped only " << book().list().selected() << " rows";
         return true;
       }, 90},
      {"the chemistry pages", [&] {
         if (book().shownEntry() != BookView::kChemistry && !chooseRow(BookChemistry::kRow)) return false;
         if (book().shownEntry() != BookView::kChemistry) return false;
         // Back, the search, the category, then the first potion.
         potionIcons = iconPixelsInRow(3);
         return true;
       }, 10},
      {"the collection book's Blocks page", [&] {
         if (book().shownEntry() == BookView::kChemistry) tap(GLFW_KEY_ESCAPE);
         if (book().shownEntry() != BookView::kCollections && !chooseRow(BookCollections::kRow)) return false;
         if (book().collections().shown() == BookCollections::kIndex && !chooseRow("Blocks (")) return false;
         const int at = book().list().selected();
         if (at <= 0) return false;
         metRow = book().list().rows()[static_cast<size_t>(at)].text;
         metIcons = iconPixelsInRow(at);
         return true;
       }, 20},
      {"close the book", [&] {
         // Each Escape goes back a page: the index, the entries, then out.
         if (current() == ViewId::Book) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
  }));

  playScript(script);
  EXPECT_GT(previewPixels, 30) << "the held workbench draws no preview at the pointed cell";
  EXPECT_GT(earlyFill, 0) << "the mining bar draws no fill";
  EXPECT_GT(lateFill, earlyFill) << "the mining bar's fill does not grow";
  EXPECT_GT(iconsBeside, 20) << "the book's entry draws no icon beside it";
  EXPECT_EQ(iconsFound, 0) << "the entries the search left out are still drawn";
  EXPECT_GT(potionIcons, 20) << "the potion's row draws no icon";
  EXPECT_EQ(metRow.rfind("Workbench", 0), 0u) << "the Blocks page opens at " << metRow;
  EXPECT_NE(metRow.find("placed"), std::string::npos) << metRow;
  EXPECT_GT(metIcons, 20) << "the met workbench draws no icon";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
