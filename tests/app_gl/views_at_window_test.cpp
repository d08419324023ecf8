// The views as the window draws them: a view stacked on another hides the one below (what shows
// is what the upper view alone shows), and a craft book page far longer than the window stays
// inside the list's column, above its rows, which stay inside the window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/texts/language_texts.h"
#include "engine/scene/director.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/book_view.h"
#include "ui/views/game_views.h"
#include "ui/views/list_view.h"

namespace {

using namespace apptest;

using Pixels = std::vector<unsigned char>;

struct Region {
  int x = 0, y = 0, width = 0, height = 0;
};

engine::Size windowSize() { return engine::Director::getInstance()->getWinSize(); }

Region whole() {
  const engine::Size size = windowSize();
  return {0, 0, static_cast<int>(size.width), static_cast<int>(size.height)};
}

// Where the current list's shown rows are drawn.
Region rowsOf(ListView& view) {
  const MenuList& list = view.list();
  engine::Rect first = list.rowRect(list.firstShown());
  int last = list.firstShown();
  while (list.rowRect(last + 1).size.width > 0) ++last;
  const engine::Rect lowest = list.rowRect(last);
  return {static_cast<int>(first.getMinX()), static_cast<int>(lowest.getMinY()), static_cast<int>(first.size.width),
          static_cast<int>(first.getMaxY() - lowest.getMinY())};
}

Pixels read(const Region& r) { return framePixels(r.x, r.y, r.width, r.height); }

// How many pixels differ by more than a little in any channel.
int differing(const Pixels& a, const Pixels& b) {
  int count = 0;
  for (size_t i = 0; i + 3 < std::min(a.size(), b.size()); i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(static_cast<int>(a[i + c]) - static_cast<int>(b[i + c])) > 6) {
        ++count;
        break;
      }
    }
  }
  return count;
}

// The page's text is light and nearly grey on the dark shade: a pixel this bright and this even is
// text (the panel's gold frame is bright but far from grey).
bool isText(const Pixels& pixels, int width, int x, int y) {
  const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
  const int r = pixels[i], g = pixels[i + 1], b = pixels[i + 2];
  return r + g + b > 360 && std::max({r, g, b}) - std::min({r, g, b}) < 60;
}

int textPixels(const Pixels& pixels, int width, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < y1; ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) count += isText(pixels, width, x, y);
  }
  return count;
}

std::vector<BookEntry> longEntry() {
  std::vector<BookEntry> entries(1);
  entries[0].name = "A long entry";
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Recipe" + std::to_string(i) + " needs planks; ";
  entries[0].pages = {{"Everything", text}, {"More", "Short."}};
  return entries;
}

using ViewsAtWindowTest = AppRunTest;

TEST_F(ViewsAtWindowTest, AStackedViewHidesTheOneBelowAndALongBookPageStaysInItsPanel) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  Region startRows;
  Pixels startAlone, helpAlone, helpOverStart;
  const std::vector<BookEntry> entries = longEntry();
  Pixels bookFrame;
  Region bookWindow;
  engine::Rect firstRow, lastRow;
  float linesFoot = 0;

  Script script({
      {"the start view", [&] { return current() == ViewId::Start && currentList() != nullptr && wait(3); }},
      {"the start view alone", [&] {
         startRows = rowsOf(*currentList());
         startAlone = read(startRows);
         return startRows.height > 0;
       }},
      {"the help view alone", [&] {
         gameViews()->switchTo(ViewId::Help);
         helpAlone = read(startRows);
         return current() == ViewId::Help;
       }},
      {"the help view stacked on the start view", [&] {
         gameViews()->switchTo(ViewId::Start);
         gameViews()->push(ViewId::Help);
         helpOverStart = read(startRows);
         return current() == ViewId::Help && gameViews()->paused().size() == 1;
       }},
      {"a long book page", [&] {
         gameViews()->popToMainView();
         gameViews()->switchTo(ViewId::Start);
         BookView& book = gameViews()->bookView();
         book.setPages(entries.data(), entries.data() + entries.size());
         gameViews()->switchTo(ViewId::Book);
         book.showEntry(0);
         firstRow = book.list().rowRect(0);
         lastRow = book.list().rowRect(static_cast<int>(book.list().rows().size()) - 1);
         linesFoot = book.textsFoot();
         bookWindow = whole();
         bookFrame = read(bookWindow);
         return book.shownEntry() == 0;
       }},
      {"back to the start", [&] {
         gameViews()->switchTo(ViewId::Start);
         return current() == ViewId::Start;
       }},
  });

  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    script.frame();
  });
  EXPECT_EQ(runWith("-safe"), 0);
  ASSERT_TRUE(script.failure().empty()) << "stuck at: " << script.failure() << " (step " << script.reached() << ")";
  ASSERT_TRUE(script.finished());

  // The start view's rows show through nowhere once the help view covers it.
  const int area = startRows.width * startRows.height;
  ASSERT_GT(area, 0);
  EXPECT_GT(differing(startAlone, helpAlone), area / 10) << "the start view's rows draw there on their own";
  EXPECT_LT(differing(helpOverStart, helpAlone), area / 200) << "the covered start view still shows";

  // The long page: text inside the column only, above the rows; Back inside the window.
  const int width = bookWindow.width;
  const int left = static_cast<int>(firstRow.getMinX()), right = static_cast<int>(firstRow.getMaxX());
  const int top = bookWindow.height - 40 - 50;  // under the title
  const int foot = static_cast<int>(firstRow.getMaxY());
  EXPECT_GT(textPixels(bookFrame, width, left, foot, right, top), 500) << "the page's text is drawn";
  EXPECT_EQ(textPixels(bookFrame, width, 0, foot, left - 3, top), 0) << "text runs out of the column on the left";
  EXPECT_EQ(textPixels(bookFrame, width, right + 3, foot, width, top), 0) << "text runs out of the column on the right";
  EXPECT_LE(firstRow.getMaxY(), linesFoot + 1.0f) << "the rows start under the last line";
  EXPECT_GE(lastRow.getMinY(), ListView::listBottom()) << "Back stays above the window's foot";
  EXPECT_EQ(textPixels(bookFrame, width, 0, 0, width, static_cast<int>(lastRow.getMinY()) - 2), 0)
      << "nothing is drawn under the rows";
  for (const auto& [step, shown] : script.shots()) EXPECT_TRUE(shown) << "the frame after \"" << step << "\" is blank";
}

}  // namespace
