// The craft book's search played through the window: a new character opens the book, searches for
// the carpentry bench and reads the recipes found, whose rows are long (ingredients and station).
// Each row's text is drawn inside its row: none runs out past the row's right edge over the world.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/list_view.h"

namespace {

using namespace apptest;

// Light, nearly grey pixels: the rows' text on the dark shade (the frames' gold is far from grey).
int textPixels(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  const std::vector<unsigned char> pixels = framePixels(x, y, width, height);
  int count = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    const int r = pixels[i], g = pixels[i + 1], b = pixels[i + 2];
    count += r + g + b > 360 && std::max({r, g, b}) - std::min({r, g, b}) < 60 ? 1 : 0;
  }
  return count;
}

using BookSearchRowsWindowTest = AppRunTest;

TEST_F(BookSearchRowsWindowTest, AFoundRecipesTextStaysInsideItsRow) {
  int found = 0, inside = 0, outside = -1;

  Script script(joined(intoANewWorld(), {
      {"open the craft book", [&] {
         if (current() == ViewId::Main) tap(GLFW_KEY_B);
         return current() == ViewId::Book && hasRow("Search:");
       }, 30},
      {"search for the carpentry bench", [&] {
         if (!chooseRow("Search:")) return false;
         type("carpentry");
         return hasRow("Carpentry Bench: ");
       }, 10},
      {"read the found rows", [&] {
         ListView* book = currentList();
         if (book == nullptr) return false;
         const MenuList& list = book->list();
         for (int row = list.firstShown(); list.rowRect(row).size.width > 0; ++row) {
           if (list.rows()[static_cast<size_t>(row)].text.rfind("Carpentry Bench: ", 0) != 0) continue;
           const engine::Rect r = list.rowRect(row);
           const int right = static_cast<int>(r.getMaxX()) + 3;
           const int width = static_cast<int>(engine::Director::getInstance()->getWinSize().width);
           ++found;
           inside += textPixels(static_cast<int>(r.getMinX()), static_cast<int>(r.getMinY()),
                                static_cast<int>(r.size.width), static_cast<int>(r.size.height));
           outside = std::max(outside, 0) +
                     textPixels(right, static_cast<int>(r.getMinY()), width - right, static_cast<int>(r.size.height));
         }
         tap(GLFW_KEY_ESCAPE);
         return found > 0;
       }, 5},
  }));

  playScript(script);
  EXPECT_GT(found, 0) << "no recipe of the bench was found";
  EXPECT_GT(inside, 200) << "the found rows draw no text";
  EXPECT_EQ(outside, 0) << "a found row's text runs out past its right edge";
}

}  // namespace
