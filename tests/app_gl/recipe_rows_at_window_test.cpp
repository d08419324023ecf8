// Recipes read as pictures, played through the window: on the crafting page each row draws its
// result's icon and its ingredients' icons, and a recipe that cannot be made is drawn faded (the
// planks it needs darker than the same planks where they are made); in the craft book every entry's
// icon stands inside its row's frame, no pixel of it over the frame's gold edge.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/texts/language_texts.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/widgets/framed_panel.h"

namespace {

using namespace apptest;

constexpr uint16_t kOakPlanks = 2149;
// The gold edge of the menus' frame is three of the atlas's pixels wide.
constexpr int kFrameEdgePixels = 3;

MenuList& shownList() { return currentList()->list(); }

struct Reading {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<unsigned char> pixels;
  const unsigned char* at(int px, int py) const {
    return pixels.data() + (static_cast<size_t>(py - y) * static_cast<size_t>(width) + static_cast<size_t>(px - x)) * 4;
  }
};

Reading readRect(const engine::Rect& rect) {
  Reading reading;
  reading.x = static_cast<int>(std::lround(rect.getMinX()));
  reading.y = static_cast<int>(std::lround(rect.getMinY()));
  reading.width = static_cast<int>(std::lround(rect.size.width));
  reading.height = static_cast<int>(std::lround(rect.size.height));
  reading.pixels = framePixels(reading.x, reading.y, reading.width, reading.height);
  return reading;
}

int difference(const unsigned char* a, const unsigned char* b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// What a row's picture draws over its band: how many pixels differ from the band beside it, and
// how much light they add to it.
struct Picture {
  int pixels = 0;
  long light = 0;
};

Picture readPicture(int row, size_t picture) {
  const engine::Rect at = shownList().pictureRect(row, picture);
  if (at.size.width <= 0) return {};
  // Just left of the picture: the band as it lies under the picture's clear pixels.
  const engine::Rect besideRect(at.getMinX() - 1.0f, at.getMinY() + at.size.height / 2.0f, 1.0f, 1.0f);
  const std::vector<unsigned char> band = readRect(besideRect).pixels;
  const Reading drawn = readRect(at);
  Picture read;
  for (size_t i = 0; i + 3 < drawn.pixels.size(); i += 4) {
    if (difference(&drawn.pixels[i], band.data()) <= 40) continue;
    ++read.pixels;
    read.light += std::max(0, drawn.pixels[i] + drawn.pixels[i + 1] + drawn.pixels[i + 2] - band[0] - band[1] - band[2]);
  }
  return read;
}

// Whether the picture stands inside its row's frame, clear of the frame's gold edge: the pixels
// read there are the picture's or the band's.
bool insideFrame(int row, size_t picture) {
  const engine::Rect band = shownList().rowRect(row);
  const engine::Rect at = shownList().pictureRect(row, picture);
  const float edge = static_cast<float>(kFrameEdgePixels) * framePixelScale();
  return at.size.width > 0 && at.getMinX() >= band.getMinX() + edge && at.getMaxX() <= band.getMaxX() - edge &&
         at.getMinY() >= band.getMinY() + edge && at.getMaxY() <= band.getMaxY() - edge;
}

// Selects a row next to the row, which keeps it in sight without the selection's wash over it.
void selectBeside(int row) {
  MenuList& list = shownList();
  list.select(row + 1 < static_cast<int>(list.rows().size()) ? row + 1 : row - 1);
}

// The last row the list shows.
int lastShown() {
  const MenuList& list = shownList();
  int last = list.firstShown();
  while (last + 1 < static_cast<int>(list.rows().size()) && list.rowRect(last + 1).size.width > 0) ++last;
  return last;
}

bool onCraftingPage() {
  return current() == ViewId::Inventory && gameViews()->inventoryView().page() == InventoryView::kCrafting;
}

using RecipeRowsAtWindowTest = AppRunTest;

TEST_F(RecipeRowsAtWindowTest, EachRecipeIsItsPicturesAndOneThatCannotBeMadeIsFaded) {
  int rowsRead = 0, bareResults = 0, bareIngredients = 0, outside = 0;
  int made = -1, notMade = -1;
  size_t planksAmongIngredients = 0;
  Picture madePlanks, neededPlanks;
  std::vector<std::string> texts;

  Script script(joined(intoANewWorld(), {
      {"carry an oak log and fewer planks than a workbench takes", [&] {
         const int log = languageTexts().treasureIdByName("Oak Log");
         if (log < 0) {
           ADD_FAILURE() << "no item is named Oak Log";
           return true;
         }
         give(static_cast<uint16_t>(log), 1);
         EXPECT_LT(carriedCount(kOakPlanks), 4u) << "a new character carries enough planks for a workbench";
         return carriedCount(static_cast<uint16_t>(log)) >= 1;
       }},
      {"open the crafting page", [&] {
         tap(GLFW_KEY_E);
         tap(GLFW_KEY_TAB);
         tap(GLFW_KEY_TAB);
         return onCraftingPage() && !shownList().rows().empty();
       }},
      {"every row shown draws its result and its ingredients", [&] {
         const MenuList& list = shownList();
         for (int row = list.firstShown(); row <= lastShown(); ++row) {
           const MenuList::Row& shown = list.rows()[static_cast<size_t>(row)];
           texts.push_back(shown.text);
           const float side = list.pictureRect(row, 0).size.width;
           ++rowsRead;
           if (readPicture(row, 0).pixels < side * side / 12) ++bareResults;
           for (size_t k = 0; k <= shown.ingredients.size(); ++k) outside += !insideFrame(row, k);
           for (size_t k = 1; k <= shown.ingredients.size(); ++k) bareIngredients += readPicture(row, k).pixels < 10;
           if (shown.ingredients.empty()) ++bareIngredients;
         }
         return true;
       }},
      {"find the planks made and the planks needed", [&] {
         const std::vector<MenuList::Row>& rows = shownList().rows();
         for (size_t i = 0; i < rows.size() && made < 0; ++i) {
           if (rows[i].icon.id == kOakPlanks && !rows[i].dimmed) made = static_cast<int>(i);
         }
         if (made < 0) {
           ADD_FAILURE() << "no row makes oak planks from the log";
           return true;
         }
         const MenuList::Row::Icon& planks = rows[static_cast<size_t>(made)].icon;
         for (size_t i = 0; i < rows.size() && notMade < 0; ++i) {
           if (!rows[i].dimmed) continue;
           for (size_t k = 0; k < rows[i].ingredients.size(); ++k) {
             const MenuList::Row::Icon& needed = rows[i].ingredients[k];
             if (needed.id != planks.id || needed.count != planks.count) continue;
             notMade = static_cast<int>(i);
             planksAmongIngredients = k + 1;
             break;
           }
         }
         if (notMade < 0) ADD_FAILURE() << "no recipe that cannot be made needs " << planks.count << " oak planks";
         return true;
       }},
      {"read the planks where they are made", [&] {
         if (made < 0) return true;
         selectBeside(made);
         madePlanks = readPicture(made, 0);
         return true;
       }},
      {"read the same planks where they are needed", [&] {
         if (notMade < 0) return true;
         selectBeside(notMade);
         neededPlanks = readPicture(notMade, planksAmongIngredients);
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_GT(rowsRead, 1) << "the crafting page shows too few rows to read";
  EXPECT_EQ(outside, 0) << "pictures reaching over their row's frame";
  EXPECT_EQ(bareResults, 0) << "rows that draw no picture of their result";
  EXPECT_EQ(bareIngredients, 0) << "ingredients drawn with no picture";
  for (const std::string& text : texts) EXPECT_EQ(text.find("(missing)"), std::string::npos) << text;
  EXPECT_GT(madePlanks.pixels, 50) << "the planks' own row draws no planks";
  EXPECT_GT(neededPlanks.pixels, 0) << "the workbench's row draws no planks";
  EXPECT_LT(neededPlanks.light * 10, madePlanks.light * 6)
      << "the planks of a recipe that cannot be made are as bright as those made (" << neededPlanks.light << " against "
      << madePlanks.light << ")";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

// How many pixels of the row's frame edge (its left side, and its top and bottom sides as far as
// pictures stand) differ from the same pixels of the reference row, which draws no picture.
int edgePixelsCovered(const Reading& row, const Reading& reference, int edge) {
  int covered = 0;
  const int height = std::min(row.height, reference.height);
  const int width = std::min({row.width, reference.width, 4 * height});
  const auto compare = [&](int dx, int dy) {
    covered += difference(row.at(row.x + dx, row.y + dy), reference.at(reference.x + dx, reference.y + dy)) > 30;
  };
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < edge; ++dx) compare(dx, dy);
  }
  for (int dx = edge; dx < width; ++dx) {
    for (int dy = 0; dy < edge; ++dy) {
      compare(dx, dy);
      compare(dx, height - 1 - dy);
    }
  }
  return covered;
}

TEST_F(RecipeRowsAtWindowTest, TheCraftBooksIconsStandInsideTheirFramesAtWholePixels) {
  int iconRows = 0, covered = 0, unevenScales = 0, overlapping = 0;
  std::string firstCovered;

  Script script(joined(intoANewWorld(), {
      {"open the book with its key", [&] {
         tap(GLFW_KEY_B);
         return current() == ViewId::Book && shownList().rows().size() > 3;
       }, 10},
      {"read each entry's frame against the search row's", [&] {
         MenuList& list = shownList();
         // The search row draws no picture: with the selection off it, its frame is the frame as drawn.
         list.select(1);
         const Reading reference = readRect(list.rowRect(0));
         const int edge = kFrameEdgePixels * static_cast<int>(framePixelScale());
         for (int pass = 0; pass < 2; ++pass) {
           // The selected row is read on the second pass, with the selection moved to the first.
           if (pass == 1) list.select(2);
           for (int row = 1; row <= lastShown(); ++row) {
             if (row == list.selected() || (pass == 1 && row != 1)) continue;
             const engine::Rect icon = list.pictureRect(row, 0);
             if (icon.size.width <= 0) continue;
             ++iconRows;
             const float pixels = icon.size.width / 16.0f;
             unevenScales += pixels < 1.0f || pixels != std::floor(pixels);
             const engine::Rect next = list.pictureRect(row + 1, 0);
             overlapping += next.size.width > 0 && next.getMaxY() > icon.getMinY();
             const int here = edgePixelsCovered(readRect(list.rowRect(row)), reference, edge);
             if (here > 0 && firstCovered.empty()) firstCovered = list.rows()[static_cast<size_t>(row)].text;
             covered += here;
           }
         }
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_GT(iconRows, 2) << "the book shows too few entries with icons to read";
  EXPECT_EQ(covered, 0) << "icon pixels over the frames' edges, first at \"" << firstCovered << "\"";
  EXPECT_EQ(unevenScales, 0) << "icons drawn at a scale of no whole number of pixels";
  EXPECT_EQ(overlapping, 0) << "an icon reaches into the row below";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
