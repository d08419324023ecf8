// The program's window on a screen smaller than the window the options ask for (CTest runs these
// on a 1280 x 720 screen): "-windowed" opens a window inside the screen's work area with the main
// menu drawn inside it; switching to full screen and back lays the menu out for each size; and a
// window resized during play keeps the quick bar, the portrait and the pause menu inside it and
// the player drawn at its centre.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_delegate.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/window/gl_view.h"
#include "engine/window/window_fit.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "game/session/running_world.h"
#include "menus/start_view.h"
#include "menus/wait_view.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/game_views.h"
#include "ui/views/list_view.h"
#include "ui/views/main_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/main_layer.h"
#include "view/player/portrait_frame.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/visible_cell_counts.h"
#include "world/rules/game.h"

namespace {

using engine::ScreenRect;

// ---- The window and the screen, as the window system has them ----

GLFWwindow* window() { return engine::GLView::current()->getWindow(); }

ScreenRect placeOfWindow() {
  ScreenRect place;
  glfwGetWindowPos(window(), &place.x, &place.y);
  glfwGetWindowSize(window(), &place.width, &place.height);
  return place;
}

ScreenRect workArea() {
  ScreenRect area;
  glfwGetMonitorWorkarea(glfwGetPrimaryMonitor(), &area.x, &area.y, &area.width, &area.height);
  return area;
}

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

engine::Size winSize() { return engine::Director::getInstance()->getWinSize(); }

float middleX(const engine::Rect& box) { return box.origin.x + box.size.width / 2; }
float middleY(const engine::Rect& box) { return box.origin.y + box.size.height / 2; }

bool insideView(const engine::Rect& box) {
  const engine::Size size = winSize();
  return box.getMinX() >= 0 && box.getMinY() >= 0 && box.getMaxX() <= size.width && box.getMaxY() <= size.height;
}

// ---- The window's input, as the window system reports it ----

void tap(int key) {
  engine::GLView::onGLFWKey(window(), key, 0, GLFW_PRESS, 0);
  engine::GLView::onGLFWKey(window(), key, 0, GLFW_RELEASE, 0);
}
void type(const std::string& text) {
  for (char c : text) engine::GLView::onGLFWChar(window(), static_cast<unsigned char>(c));
}
// A left click at a point of the view (y upwards).
void click(const engine::Vec2& point) {
  engine::GLView::onGLFWCursorPos(window(), point.x, winSize().height - point.y);
  engine::GLView::onGLFWMouseButton(window(), GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
  engine::GLView::onGLFWMouseButton(window(), GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
}

// ---- What the drawn frame shows ----

int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int changed = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
    if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 30) ++changed;
  }
  return changed;
}

// How many pixels of a square around a point a node changes by being drawn.
int pixelsDrawnBy(engine::Node& node, const engine::Vec2& at, int half) {
  const int x = static_cast<int>(at.x) - half;
  const int y = static_cast<int>(at.y) - half;
  const std::vector<unsigned char> shown = apptest::framePixels(x, y, 2 * half, 2 * half);
  node.setVisible(false);
  const std::vector<unsigned char> hidden = apptest::framePixels(x, y, 2 * half, 2 * half);
  node.setVisible(true);
  return changedPixels(shown, hidden);
}

// ---- The views ----

ViewId current() { return gameViews() != nullptr ? gameViews()->currentId() : ViewId::None; }
PlayerDesktopLocal* player() { return runningWorld().player.get(); }
StartView& startView() { return dynamic_cast<StartView&>(gameViews()->view(ViewId::Start)); }
ListView* currentList() { return gameViews() != nullptr ? dynamic_cast<ListView*>(gameViews()->current()) : nullptr; }

// Walks the current list to the first row that begins with the text and picks it with Enter.
bool chooseRow(const std::string& prefix) {
  ListView* view = currentList();
  if (view == nullptr) return false;
  const auto& rows = view->list().rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].text.rfind(prefix, 0) != 0) continue;
    // An arrow passes over the headings between rows: the keys are pressed until the row is chosen.
    const int index = static_cast<int>(i);
    for (size_t tries = 0; tries < rows.size() && view->list().selected() != index; ++tries) {
      tap(view->list().selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
    }
    tap(GLFW_KEY_ENTER);
    return true;
  }
  return false;
}

bool hasRow(const std::string& prefix) {
  ListView* view = currentList();
  if (view == nullptr) return false;
  for (const auto& row : view->list().rows()) {
    if (row.text.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// Where each shown row of the current list answers the pointer: scanned across the whole view,
// so a row placed outside it is not found.
std::map<int, engine::Rect> rowBoxes() {
  std::map<int, engine::Rect> boxes;
  ListView* view = currentList();
  if (view == nullptr) return boxes;
  const engine::Size size = winSize();
  std::map<int, std::pair<engine::Vec2, engine::Vec2>> corners;  // lowest, highest point
  for (int y = 0; y < static_cast<int>(size.height); y += 2) {
    for (int x = 0; x < static_cast<int>(size.width); x += 8) {
      const int row = view->list().rowAt(engine::Vec2(static_cast<float>(x), static_cast<float>(y)));
      if (row < 0) continue;
      const engine::Vec2 at(static_cast<float>(x), static_cast<float>(y));
      auto [it, fresh] = corners.try_emplace(row, at, at);
      if (fresh) continue;
      it->second.first = engine::Vec2(std::min(it->second.first.x, at.x), std::min(it->second.first.y, at.y));
      it->second.second = engine::Vec2(std::max(it->second.second.x, at.x), std::max(it->second.second.y, at.y));
    }
  }
  for (const auto& [row, span] : corners) {
    boxes[row] = engine::Rect(span.first.x, span.first.y, span.second.x - span.first.x, span.second.y - span.first.y);
  }
  return boxes;
}

// The row drawn under its box: its panel and text change most of the pixels there.
bool rowIsDrawn(ListView& view, const engine::Rect& box) {
  const int x = static_cast<int>(box.getMinX());
  const int y = static_cast<int>(box.getMinY());
  const int width = static_cast<int>(box.size.width);
  const int height = static_cast<int>(box.size.height);
  const std::vector<unsigned char> shown = apptest::framePixels(x, y, width, height);
  view.list().node()->setVisible(false);
  const std::vector<unsigned char> hidden = apptest::framePixels(x, y, width, height);
  view.list().node()->setVisible(true);
  return changedPixels(shown, hidden) > width * height / 2;
}

// Every row of the current list lies inside the view and is drawn there; the rows stand centred.
void expectRowsInsideAndDrawn(const std::string& where) {
  ListView* view = currentList();
  ASSERT_NE(view, nullptr) << where;
  const std::map<int, engine::Rect> boxes = rowBoxes();
  EXPECT_EQ(boxes.size(), view->list().rows().size()) << where << ": a row is outside the view";
  for (const auto& [row, box] : boxes) {
    EXPECT_TRUE(insideView(box)) << where << ", row " << row;
    EXPECT_TRUE(rowIsDrawn(*view, box)) << where << ", row " << row << " is not drawn where it answers";
    EXPECT_NEAR(middleX(box), winSize().width / 2.0f, 8.0f) << where << ", row " << row;
  }
}

// The local player's sprite: the root node's child beside the world layer.
engine::Node* playerSprite() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr || layer->rootNode() == nullptr) return nullptr;
  for (engine::Node* child : layer->rootNode()->getChildren()) {
    if (child != layer->worldLayer()) return child;
  }
  return nullptr;
}

// The script and its steps: a worker's step waits on its event, bounded by wall-clock.
using apptest::Script;
using apptest::workerStep;

class WindowLayoutTest : public apptest::AppRunTest {
 protected:
  // Runs the program with "-windowed" through the script; every step must be reached.
  void runWindowed(Script& script) { apptest::playScript(script, {}, "-windowed"); }

  int waited_ = 0;
  bool wait(int frames) { return ++waited_ >= frames ? (waited_ = 0, true) : false; }
};

TEST_F(WindowLayoutTest, AWindowedRunFitsTheScreenAndDrawsTheMainMenuInsideIt) {
  Script script({
      {"the start view", [&] { return current() == ViewId::Start && wait(5); }},
      {"the window and the menu", [&] {
         const ScreenRect area = workArea();
         // The options ask for 1920 x 1200: more than this screen holds.
         EXPECT_LT(area.width, 1920);
         EXPECT_LT(area.height, 1200);
         const ScreenRect place = placeOfWindow();
         EXPECT_TRUE(inside(place, area)) << place.x << "," << place.y << " " << place.width << "x" << place.height;
         EXPECT_EQ(winSize(), engine::Size(static_cast<float>(place.width), static_cast<float>(place.height)));
         EXPECT_EQ(startView().page(), StartView::Page::Main);
         EXPECT_TRUE(hasRow("Quit"));
         expectRowsInsideAndDrawn("the main menu");
         return true;
       }},
      {"the options", [&] { return chooseRow("Options") && startView().page() == StartView::Page::Options; }, 10},
      {"the window-size row says the window's own size", [&] {
         const ScreenRect place = placeOfWindow();
         const std::string shown = "Window size: " + std::to_string(place.width) + " x " + std::to_string(place.height);
         EXPECT_TRUE(hasRow(shown)) << "not the 1920 x 1200 asked for, which the screen could not hold";
         EXPECT_FALSE(hasRow("Window size: 1920 x 1200"));
         // Started with "windowed", the game is in a window whatever the full-screen option says.
         EXPECT_TRUE(hasRow("Display: Window")) << "the display row tells the option, not the window";
         return true;
       }},
  });
  runWindowed(script);
}

TEST_F(WindowLayoutTest, SwitchingToFullScreenAndBackLaysTheMenuOutForEachSize) {
  const auto applyVideoMode = [](kel::base::VideoMode mode, bool fullScreen) {
    dynamic_cast<AppDelegate&>(*engine::Application::getInstance()).applyVideoMode(mode, fullScreen);
  };
  Script script({
      {"the start view", [&] { return current() == ViewId::Start && wait(3); }},
      {"a smaller window", [&] {
         applyVideoMode({800, 600}, false);
         const ScreenRect area = workArea();
         EXPECT_EQ(placeOfWindow(), (ScreenRect{area.x + (area.width - 800) / 2, area.y + (area.height - 600) / 2, 800, 600}));
         EXPECT_EQ(winSize(), engine::Size(800, 600));
         expectRowsInsideAndDrawn("an 800 x 600 window");
         return true;
       }},
      {"full screen", [&] {
         applyVideoMode({1920, 1200}, true);
         const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
         EXPECT_EQ(glfwGetWindowMonitor(window()), glfwGetPrimaryMonitor());
         EXPECT_EQ(winSize(), engine::Size(static_cast<float>(mode->width), static_cast<float>(mode->height)));
         expectRowsInsideAndDrawn("full screen");
         return true;
       }},
      {"a window again", [&] {
         applyVideoMode({1920, 1200}, false);
         EXPECT_EQ(glfwGetWindowMonitor(window()), nullptr);
         EXPECT_TRUE(inside(placeOfWindow(), workArea()));
         expectRowsInsideAndDrawn("a window that fills the work area");
         return true;
       }},
  });
  runWindowed(script);
}

TEST_F(WindowLayoutTest, AWindowResizedDuringPlayKeepsTheHudAndMenusInsideAndThePlayerAtTheCentre) {
  QuickSlots* quick = nullptr;
  const engine::Size small(800, 600);
  Script script({
      {"the start view", [&] {
         // The same ground every run: the world generates from a fixed seed.
         if (auto* local = dynamic_cast<GameLocal*>(&currentGame())) local->setGenerationSeed(7);
         return current() == ViewId::Start && wait(3);
       }},
      {"play", [&] { return chooseRow("Play") && startView().page() == StartView::Page::Characters; }},
      {"new character", [&] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
      {"name it", [&] {
         if (!chooseRow("Name:")) return false;
         for (int i = 0; i < 6; ++i) tap(GLFW_KEY_BACKSPACE);
         type("Sizer");
         tap(GLFW_KEY_ENTER);
         return hasRow("Name: Sizer");
       }},
      {"create it", [&] { return chooseRow("Create") && startView().status() == "Created Sizer."; }},
      {"play as it", [&] { return chooseRow("Play as Sizer") && startView().page() == StartView::Page::Worlds; }},
      {"new world", [&] { return chooseRow("New world") && hasRow("Size: 512 x 128"); }},
      {"name the world", [&] {
         if (!chooseRow("Name:")) return false;
         type("Sizeland");
         tap(GLFW_KEY_ENTER);
         return hasRow("Name: Sizeland");
       }},
      {"create the world", [&] {
         chooseRow("Create");
         return current() == ViewId::Wait;
       }},
      workerStep("the world is entered", [&] { return current() == ViewId::Main && player() != nullptr && wait(30); }),
      {"the window is resized", [&] {
         quick = &gameViews()->mainView().hud().quickSlots();
         EXPECT_GT(winSize().width, small.width) << "the window starts larger than it ends";
         glfwSetWindowSize(window(), static_cast<int>(small.width), static_cast<int>(small.height));
         return true;
       }},
      // The new size arrives with the window system's events, as a person's resize would.
      {"the new size arrives", [&] { return winSize() == small && wait(3); }, 120},
      {"the world view follows", [&] {
         MainLayer* layer = MainLayer::current();
         EXPECT_EQ(layer->getContentSize(), small);
         EXPECT_EQ(layer->rootNode()->getPosition(), engine::Vec2(small.width / 2, small.height / 2));
         const VisibleCellCounts counts = visibleCellCountsFor(small.width, small.height, static_cast<int>(kel::options().viewportScale));
         EXPECT_EQ(layer->tiles()->columns(), counts.columns);
         EXPECT_EQ(layer->tiles()->rows(), counts.rows);
         engine::Node* sprite = playerSprite();
         if (sprite == nullptr) return false;
         const engine::Vec2 centre(small.width / 2, small.height / 2);
         // Within a cell of the centre: the sprite's point is its body's, the camera the player's.
         const engine::Vec2 drawnAt = sprite->getParent()->convertToWorldSpace(sprite->getPosition());
         EXPECT_NEAR(drawnAt.x, centre.x, 30.0f);
         EXPECT_NEAR(drawnAt.y, centre.y, 30.0f);
         EXPECT_GT(pixelsDrawnBy(*sprite, centre, 20), 30) << "the player is not drawn at the centre";
         return true;
       }},
      {"the quick bar and the portrait stay inside", [&] {
         float lowest = small.width, highest = 0;
         // The slots are read against an empty window: the world behind one can look like it.
         engine::Node* world = MainLayer::current()->rootNode();
         world->setVisible(false);
         for (int i = 0; i < QuickSlots::kCount; ++i) {
           InventorySprite* slot = quick->sprite(i);
           if (slot == nullptr) {
             world->setVisible(true);
             return false;
           }
           EXPECT_TRUE(insideView(slot->getBoundingBox())) << "quick slot " << i;
           lowest = std::min(lowest, slot->getPositionX());
           highest = std::max(highest, slot->getPositionX());
           EXPECT_GT(pixelsDrawnBy(*slot, slot->getPosition(), 8), 20) << "quick slot " << i << " is not drawn";
         }
         world->setVisible(true);
         EXPECT_NEAR((lowest + highest) / 2, small.width / 2, 1.0f) << "the bar is centred";
         InventorySprite* first = quick->sprite(0);
         if (first->icon() != nullptr) {
           EXPECT_GT(pixelsDrawnBy(*first->icon(), first->getPosition(), 6), 10) << "the first tool's icon";
         }
         const PortraitFrame* portrait = gameViews()->mainView().hud().portrait();
         if (portrait == nullptr) return false;
         const engine::Vec2 at = portrait->getPosition();
         EXPECT_TRUE(at.x > 0 && at.x < small.width && at.y > 0 && at.y < small.height) << at.x << "," << at.y;
         return true;
       }},
      {"the pause menu fits", [&] {
         tap(GLFW_KEY_ESCAPE);
         if (current() != ViewId::Pause) return false;
         expectRowsInsideAndDrawn("the pause view");
         return true;
       }},
      {"save and quit is reached by a click", [&] {
         ListView* pause = currentList();
         const auto& rows = pause->list().rows();
         const auto saveRow = std::find_if(rows.begin(), rows.end(), [](const MenuList::Row& row) { return row.text == "Save and quit"; });
         if (saveRow == rows.end()) return false;
         const std::map<int, engine::Rect> boxes = rowBoxes();
         const auto box = boxes.find(static_cast<int>(saveRow - rows.begin()));
         if (box == boxes.end()) return false;
         click(engine::Vec2(middleX(box->second), middleY(box->second)));
         return true;
       }, 10},
      // The world's file is written on the save worker; the game ends once it is on disk.
      workerStep("the game ends once the world is written", [&] { return current() == ViewId::Start && player() == nullptr; }),
      {"the start view fits too", [&] {
         expectRowsInsideAndDrawn("the start view after the game");
         return true;
       }},
  });
  runWindowed(script);
}

}  // namespace
