// The start view as the window draws it: a planet under its sky behind the page instead of black,
// and still there once the window is laid out again (a new size, full screen),
// the rows in the interface's gold-edged frames with the chosen one brighter, and every row of the
// main menu still there; a name being typed hides the row it is typed over; the planet is drawn at
// the world's pixel scale.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "menus/start_view.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/widgets/text_entry.h"
#include "ui/views/list_view.h"
#include "view/world_draw_scale.h"

namespace {

using namespace apptest;

using Pixels = std::vector<unsigned char>;

// The share (percent) of pixels with no channel reaching 40.
double nearBlackShare(const Pixels& pixels) {
  size_t dark = 0;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) dark += pixels[i] < 40 && pixels[i + 1] < 40 && pixels[i + 2] < 40;
  return 100.0 * static_cast<double>(dark) / static_cast<double>(pixels.size() / 4);
}

// Whether a pixel is the frame's gold: warm and bright.
bool isGold(const Pixels& pixels, size_t i) {
  return pixels[i] > 150 && pixels[i] > pixels[i + 2] + 60 && pixels[i + 1] > pixels[i + 2] + 30;
}

// The gold pixels along a vertical line through the left side of a row's rectangle.
int goldAcrossLeftEdge(const engine::Rect& row) {
  const int x = static_cast<int>(row.getMinX());
  const int y = static_cast<int>(row.getMinY() + row.size.height / 2);
  const Pixels line = framePixels(x, y, 12, 1);
  int gold = 0;
  for (size_t i = 0; i + 3 < line.size(); i += 4) gold += isGold(line, i);
  return gold;
}

using StartViewLookTest = AppRunTest;

TEST_F(StartViewLookTest, APlanetShowsBehindTheMainMenuAndItsRowsAreFramed) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  double outsideDark = 100.0;
  std::string planet;
  int chosenGold = 0, otherGold = 0;
  bool quitShown = false;

  Script script({
      {"the start view", [&] { return current() == ViewId::Start && currentList() != nullptr && wait(3); }},
      {"the main menu over its planet", [&] {
         planet = startView().backdropPlanet();
         quitShown = hasRow("Quit") && hasRow("Options");
         const engine::Size size = engine::Director::getInstance()->getWinSize();
         // A band down the left edge of the window, beside the page's panel.
         const MenuList& list = currentList()->list();
         const int band = std::max(8, static_cast<int>(list.rowRect(list.firstShown()).getMinX()) - 30);
         outsideDark = nearBlackShare(framePixels(0, 0, band, static_cast<int>(size.height)));
         const int chosen = list.selected();
         chosenGold = goldAcrossLeftEdge(list.rowRect(chosen));
         otherGold = goldAcrossLeftEdge(list.rowRect(chosen == 0 ? 1 : 0));
         return true;
       }},
  });

  playScript(script);
  if (!script.finished() || !script.failure().empty()) return;

  EXPECT_FALSE(planet.empty()) << "a planet's sky picture is drawn behind the page";
  EXPECT_LT(outsideDark, 10.0) << "beside the page the planet shows, not black";
  EXPECT_TRUE(quitShown) << "the main menu keeps its rows";
  EXPECT_GT(chosenGold, 0) << "the chosen row is framed in gold";
  EXPECT_EQ(otherGold, 0) << "the other rows' frames are dimmed";
}

TEST_F(StartViewLookTest, ThePlanetStaysBehindTheMenuWhenTheWindowIsLaidOutAgain) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  std::string before, after;
  double outsideDark = 100.0;

  Script script({
      {"the start view", [&] { return current() == ViewId::Start && currentList() != nullptr && wait(3); }},
      {"the window laid out again, as a new size or full screen does", [&] {
         before = startView().backdropPlanet();
         const engine::Size size = engine::Director::getInstance()->getWinSize();
         engine::Application::getInstance()->applicationScreenSizeChanged(static_cast<int>(size.width),
                                                                           static_cast<int>(size.height));
         return true;
       }},
      {"the menu over its planet", [&] {
         if (!wait(3)) return false;
         after = startView().backdropPlanet();
         const engine::Size size = engine::Director::getInstance()->getWinSize();
         const MenuList& list = currentList()->list();
         const int band = std::max(8, static_cast<int>(list.rowRect(list.firstShown()).getMinX()) - 30);
         outsideDark = nearBlackShare(framePixels(0, 0, band, static_cast<int>(size.height)));
         return true;
       }},
  });

  playScript(script);
  if (!script.finished() || !script.failure().empty()) return;

  ASSERT_FALSE(before.empty()) << "a planet's sky picture is drawn behind the page";
  EXPECT_EQ(after, before) << "laid out again, the same planet";
  EXPECT_LT(outsideDark, 10.0) << "beside the page the planet still shows, not black";
}

TEST_F(StartViewLookTest, ANameBeingTypedHidesTheRowItIsTypedOver) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  int spread = -1;
  bool opened = false;

  Script script({
      {"the start view", [&] { return current() == ViewId::Start && currentList() != nullptr && wait(3); }},
      {"the new character page", [&] { return chooseRow("Play"); }},
      {"its name row", [&] { return wait(3) && (hasRow("Name: ") || chooseRow("New character")); }},
      {"the name entry open", [&] { return wait(3) && hasRow("Name: ") && chooseRow("Name: "); }},
      {"the entry drawn", [&] {
         if (!wait(3)) return false;
         TextEntry& entry = startView().nameEntry();
         opened = entry.shownText() == "Player";
         // Past the typed name, where the row's own longer text ("Name: Player") lies under the
         // entry: only the entry's even backing may show there.
         const int x = static_cast<int>(entry.caretX()) + 6;
         const int y = static_cast<int>(entry.position().y) + 8;
         const Pixels band = framePixels(x, y, 40, 14);
         int low = 765, high = 0;
         for (size_t i = 0; i + 3 < band.size(); i += 4) {
           const int level = band[i] + band[i + 1] + band[i + 2];
           low = std::min(low, level);
           high = std::max(high, level);
         }
         spread = high - low;
         return true;
       }},
  });

  playScript(script);
  if (!script.finished() || !script.failure().empty()) return;

  EXPECT_TRUE(opened) << "the entry opens on the current name";
  EXPECT_LE(spread, 3) << "the row's text shows through the entry's backing";
}

// The lengths of the runs of one colour along a row of pixels, leaving out the two cut at its ends.
std::vector<int> innerRuns(const Pixels& row) {
  std::vector<int> runs;
  size_t start = 0;
  for (size_t i = 4; i <= row.size(); i += 4) {
    if (i < row.size() && std::memcmp(&row[i], &row[start], 3) == 0) continue;
    if (start > 0 && i < row.size()) runs.push_back(static_cast<int>((i - start) / 4));
    start = i;
  }
  return runs;
}

TEST_F(StartViewLookTest, TheStartViewsPlanetIsDrawnAtTheWorldsPixelScale) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  int shortest = 1 << 20, uneven = 0, runsRead = 0;
  float scale = 0;
  Script script({
      {"the start view", [&] { return current() == ViewId::Start && currentList() != nullptr && wait(3); }},
      {"the sky beside the page", [&] {
         scale = worldDrawScale();
         const engine::Size size = engine::Director::getInstance()->getWinSize();
         const MenuList& list = currentList()->list();
         const int band = std::max(64, static_cast<int>(list.rowRect(list.firstShown()).getMinX()) - 30);
         // Rows down the top of the sky, where the planet's backdrop is drawn.
         for (int y = static_cast<int>(size.height) - 40; y > static_cast<int>(size.height) - 200; y -= 7) {
           for (int length : innerRuns(framePixels(0, y, band, 1))) {
             shortest = std::min(shortest, length);
             uneven += length % static_cast<int>(scale) != 0;
             ++runsRead;
           }
         }
         return true;
       }},
  });
  playScript(script);
  ASSERT_GT(runsRead, 20) << "the sky's dithered pixels are read";
  EXPECT_FLOAT_EQ(scale, 2.0f) << "the world is drawn at twice its pictures' size";
  EXPECT_EQ(shortest, static_cast<int>(scale)) << "a pixel of the planet's picture is a block of the world's size";
  EXPECT_EQ(uneven, 0) << "every run of the sky is whole pixels of the picture";
}

}  // namespace
