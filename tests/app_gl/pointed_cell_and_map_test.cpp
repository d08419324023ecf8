// Played through the window's input: pointing at a breakable block within reach lights it up (its
// pixels brighten) and pointing at open sky far away does not; the map zoomed in shows fewer,
// larger cells with the player's marker, below the title and its hint line, and follows a drag and the wheel; the pause view's options change the interface scale at
// once and write it to the settings file, and switch between a window and the full screen.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/screen_layout.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "engine/window/gl_view.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "menus/start_view.h"
#include "platform/settings/json_defaults.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/game_views.h"
#include "ui/views/map_picture.h"
#include "ui/views/map_view.h"
#include "view/main_layer.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

engine::GLView* glView() { return engine::Director::getInstance()->getOpenGLView(); }
MapView& mapView() { return dynamic_cast<MapView&>(gameViews()->view(ViewId::Map)); }

// The summed brightness of a square of pixels around a view point.
long brightnessAround(const engine::Vec2& point, int half) {
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(point.x) - half, static_cast<int>(point.y) - half, 2 * half, 2 * half);
  long sum = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
  return sum;
}

// How many pixels of the band the title and the lines stand in change when the map's picture
// and marker are drawn.
int picturesPixelsOverTheTexts() {
  const engine::Size window = engine::Director::getInstance()->getWinSize();
  const int foot = static_cast<int>(mapView().textsFoot());
  const int height = static_cast<int>(window.height) - foot;
  const std::vector<unsigned char> shown = framePixels(0, foot, static_cast<int>(window.width), height);
  const bool markerShown = mapView().marker()->isVisible();
  mapView().picture()->setVisible(false);
  mapView().marker()->setVisible(false);
  const std::vector<unsigned char> hidden = framePixels(0, foot, static_cast<int>(window.width), height);
  mapView().picture()->setVisible(true);
  mapView().marker()->setVisible(markerShown);
  int changed = 0;
  for (size_t i = 0; i < shown.size() && i < hidden.size(); ++i) changed += shown[i] != hidden[i];
  return changed;
}

// Whether a pixel is one of the colours of explored cells.
bool exploredColour(const unsigned char* pixel) {
  for (const uint8_t* colour : {kMapOpen, kMapBack, kMapSolid, kMapLiquid}) {
    if (pixel[0] == colour[0] && pixel[1] == colour[1] && pixel[2] == colour[2]) return true;
  }
  return false;
}

// The mean length in pixels of the runs of one colour along the row through the player's marker,
// across the map's frame, leaving out the fog of unexplored cells: larger cells, longer runs.
float meanColourRun() {
  const engine::Size window = engine::Director::getInstance()->getWinSize();
  const engine::LayerColor* marker = mapView().marker();
  const int y = static_cast<int>(marker->getPosition().y + marker->getContentSize().height / 2.0f);
  const std::vector<unsigned char> row = framePixels(61, y, static_cast<int>(window.width) - 122, 1);
  int runs = 0;
  int pixels = 0;
  for (size_t i = 0; i < row.size(); i += 4) {
    if (!exploredColour(&row[i])) continue;
    ++pixels;
    const bool same = i >= 4 && row[i] == row[i - 4] && row[i + 1] == row[i - 3] && row[i + 2] == row[i - 2];
    if (!same) ++runs;
  }
  return runs > 0 ? static_cast<float>(pixels) / static_cast<float>(runs) : 0.0f;
}

// A solid block two cells beside the player and one below, within reach and clear of its sprite.
MapBlock* groundBeside() {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  const int32_t y = static_cast<int32_t>(player()->cellY);
  for (int32_t dx : {2, -2, 3, -3}) {
    for (int32_t dy : {-1, -2}) {
      MapBlock* cell = map.cellAt(x + dx, y + dy);
      if (cell != nullptr && cell->frontId() != 0) return cell;
    }
  }
  return nullptr;
}

using PointedCellAndMapTest = AppRunTest;

TEST_F(PointedCellAndMapTest, ABreakableCellLightsUpAndTheMapZoomsIn) {
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };
  MapBlock* ground = nullptr;
  long unlit = 0;
  long lit = 0;
  float wholeMapRun = 0;
  float zoomedRun = 0;
  bool hintUncovered = false;
  int slot = 0;
  bool firstSlotLit = true;
  engine::Size fullScreenSize;

  Script script(joined(intoANewWorld(), {
      {"the ground beside the player", [&] {
         ground = groundBeside();
         return ground != nullptr;
       }, 5},
      {"point at it", [&] {
         pointAt(pointOf(*ground));
         return wait(2);
       }},
      {"a tool that fits lights it", [&] {
         if (MainLayer::current()->highlightSprite()->isVisible()) return true;
         // The first quick slots hold the starting tools; only the one that breaks the block lights it.
         if (slot == 0) firstSlotLit = false;
         tap(GLFW_KEY_1 + slot % 4);
         ++slot;
         return false;
       }, 20},
      {"the lit ground", [&] {
         lit = brightnessAround(pointOf(*ground), 8);
         pointAt(pointOf(*ground) + engine::Vec2(0, 250));  // open sky, out of reach
         return true;
       }},
      {"nothing is lit over open sky", [&] {
         if (!wait(2)) return false;
         EXPECT_FALSE(MainLayer::current()->highlightSprite()->isVisible());
         unlit = brightnessAround(pointOf(*ground), 8);
         return true;
       }},
      {"open the map", [&] {
         tap(GLFW_KEY_M);
         return current() == ViewId::Map && mapView().picture() != nullptr && wait(2);
       }},
      {"the whole map", [&] {
         EXPECT_TRUE(mapView().marker()->isVisible());
         wholeMapRun = meanColourRun();
         return true;
       }},
      {"zoom in three steps", [&] {
         if (mapView().frame().zoomSteps() < 3) tap(GLFW_KEY_EQUAL);
         return mapView().frame().zoomSteps() == 3 && wait(2);
       }},
      {"the zoomed map", [&] {
         EXPECT_TRUE(mapView().marker()->isVisible()) << "zooming in starts at the player's cell";
         // Three steps in, a cell is eight times its whole-pixel size at the whole map.
         const float wholeMapScale = mapView().frame().scale() / 8.0f;
         EXPECT_EQ(wholeMapScale, std::floor(wholeMapScale)) << "the whole map is drawn at whole points a cell";
         EXPECT_FLOAT_EQ(mapView().frame().shownCells().size.width,
                         std::min(static_cast<float>(player()->world->map().width()),
                                  mapView().pictureFrame().size.width / mapView().frame().scale()));
         zoomedRun = meanColourRun();
         // The hint has a line of its own, and the zoomed picture draws nothing over the texts.
         EXPECT_EQ(mapView().shownLines().back(), MapView::kHint);
         EXPECT_LE(mapView().pictureFrame().getMaxY(), mapView().textsFoot());
         hintUncovered = picturesPixelsOverTheTexts() == 0;
         return true;
       }},
      {"a drag to the right shows what lies to the left", [&] {
         GLFWwindow* window = engine::GLView::current()->getWindow();
         const float before = mapView().frame().centre().x;
         pointAt(engine::Vec2(400, 300));
         engine::GLView::onGLFWMouseButton(window, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
         pointAt(engine::Vec2(450, 300));
         pointAt(engine::Vec2(500, 300));
         engine::GLView::onGLFWMouseButton(window, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
         EXPECT_LT(mapView().frame().centre().x, before - 5.0f) << "the map follows the pointer";
         return true;
       }},
      {"the wheel zooms out", [&] {
         engine::GLView::onGLFWScroll(engine::GLView::current()->getWindow(), 0, -1);
         EXPECT_EQ(mapView().frame().zoomSteps(), 2);
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }},
      {"pause", [&] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      {"the options", [&] { return chooseRow("Options") && hasRow("Interface scale: Automatic"); }},
      {"the interface scale x1", [&] {
         return chooseRow("Interface scale: Automatic") && hasRow("Interface scale: x1");
       }},
      {"applied at once", [&] {
         EXPECT_FLOAT_EQ(screenLayout().uiScale, 1.0005f);
         kel::JsonDefaults stored;
         stored.load();
         EXPECT_EQ(stored.getInt("option-uiScale"), 1);
         return true;
       }},
      {"a larger world scale", [&] { return chooseRow("World scale: x2") && hasRow("World scale: x3"); }},
      {"the world is drawn larger at once", [&] {
         EXPECT_FLOAT_EQ(MainLayer::current()->rootNode()->getScale(), 3.0f);
         return chooseRow("World scale: x3") && hasRow("World scale: x1");
       }},
      {"the display row tells the window it is", [&] {
         // The -safe switch opened a window although the option asks for the full screen: the
         // row names what the player sees.
         EXPECT_FALSE(glView()->isFullScreen());
         return hasRow("Display: Window") && !hasRow("Display: Full screen");
       }},
      {"the full screen", [&] { return chooseRow("Display: Window") && hasRow("Display: Full screen"); }},
      {"the window fills the screen and the frame is drawn at its size", [&] {
         EXPECT_TRUE(glView()->isFullScreen());
         fullScreenSize = engine::Director::getInstance()->getWinSize();
         kel::JsonDefaults stored;
         stored.load();
         EXPECT_TRUE(stored.getBool("option-fullScreen"));
         return frameShowsSomething();
       }},
  }));

  playScript(script);
  EXPECT_GT(lit, unlit + 16 * 16 * 20) << "the highlight brightens the pointed cell";
  EXPECT_FALSE(firstSlotLit) << "the pickaxe in the first slot does not fit the ground";
  EXPECT_FLOAT_EQ(fullScreenSize.width, 1280.0f) << "the screen under test is 1280 x 1024";
  EXPECT_FLOAT_EQ(fullScreenSize.height, 1024.0f);
  EXPECT_GT(wholeMapRun, 0.0f);
  EXPECT_GT(zoomedRun, 4.0f * wholeMapRun) << "zoomed in, fewer and larger cells cross the frame";
  EXPECT_TRUE(hintUncovered) << "the zoomed map covers the title or the hint";
}

}  // namespace
