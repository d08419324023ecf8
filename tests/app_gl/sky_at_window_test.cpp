// The sky over a new world, played through the window at 1280x720: at the world scale a new game
// starts with and at the smallest one, chosen as a player does (Escape, Options, the world scale's
// row, Left, Escape twice), the sky shows above the ground: its colours change from the window's
// top down to the hills by the player, where one flat fill of the hills' ground would show the
// same all the way down.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "engine/window/gl_view.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "ui/views/list_view.h"
#include "ui/widgets/menu_list.h"
#include "view/main_layer.h"
#include "view/sky/sky.h"
#include "view/sky/sky_creation.h"

namespace {

using namespace apptest;

const engine::Size kWindow(1280, 720);

engine::Size winSize() { return engine::Director::getInstance()->getWinSize(); }

// The mean colour of a band of the window's rows that the sky alone draws, every other node of the
// main layer hidden for the reading: a band `rows` high whose top lies `fromTop` under the window's
// top, over the right half of the window (the portrait and the console stand on the left).
std::array<int, 3> skyBandMean(float fromTop, float rows) {
  MainLayer* layer = MainLayer::current();
  Sky* sky = currentSky();
  std::vector<engine::Node*> hidden;
  for (engine::Node* child : layer->getChildren()) {
    if (child != sky && child->isVisible()) {
      child->setVisible(false);
      hidden.push_back(child);
    }
  }
  const engine::Size window = winSize();
  const int top = static_cast<int>(window.height - fromTop - rows);
  const std::vector<unsigned char> pixels =
      framePixels(static_cast<int>(window.width / 2), top, static_cast<int>(window.width / 2), static_cast<int>(rows));
  for (engine::Node* node : hidden) node->setVisible(true);
  std::array<long, 3> sum{};
  const size_t count = pixels.size() / 4;
  for (size_t i = 0; i < count; ++i) {
    for (size_t c = 0; c < 3; ++c) sum[c] += pixels[i * 4 + c];
  }
  std::array<int, 3> mean{};
  for (size_t c = 0; c < 3; ++c) mean[c] = count > 0 ? static_cast<int>(sum[c] / static_cast<long>(count)) : 0;
  return mean;
}

int distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// How far the sky's colour at the window's top lies from its colour just above the player's head.
int skyTopToHorizon() {
  const float scale = std::max(1.0f, static_cast<float>(kel::options().viewportScale) - 1.0f);
  const float band = 24.0f * scale;
  const std::array<int, 3> top = skyBandMean(0, band);
  const std::array<int, 3> horizon = skyBandMean(winSize().height / 2 - 3 * 30.0f * scale - band, band);
  return distance(top, horizon);
}

// Walks the options list to the row that begins with the text without choosing it.
bool selectRow(const std::string& prefix) {
  const int index = rowIndex(prefix);
  if (index < 0) return false;
  const MenuList& list = currentList()->list();
  for (size_t tries = 0; tries < list.rows().size() && list.selected() != index; ++tries) {
    tap(list.selected() < index ? GLFW_KEY_DOWN : GLFW_KEY_UP);
  }
  return list.selected() == index;
}

using SkyAtWindowTest = AppRunTest;

TEST_F(SkyAtWindowTest, TheSkyShowsAboveTheGroundAtTheFirstWorldScaleAndTheSmallest) {
  int atTwo = -1, atOne = -1;
  Script script(joined(intoANewWorld(), {
      {"the window is 1280x720", [] {
         glfwSetWindowSize(engine::GLView::current()->getWindow(), static_cast<int>(kWindow.width),
                           static_cast<int>(kWindow.height));
         return true;
       }},
      {"the new size arrives", [] { return winSize() == kWindow; }, 120},
      {"the sky at the world scale x2", [&] {
         if (currentSky() == nullptr || !currentSky()->isVisible()) return false;
         atTwo = skyTopToHorizon();
         return true;
       }, 30},
      {"pause", [] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }, 10},
      {"the options", [] { return chooseRow("Options") && hasRow("World scale: x2"); }, 10},
      {"the world scale one step down", [] {
         if (!selectRow("World scale: x2")) return false;
         tap(GLFW_KEY_LEFT);
         return hasRow("World scale: x1");
       }, 10},
      {"back to the world", [] {
         tap(GLFW_KEY_ESCAPE);
         if (current() == ViewId::Pause) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 20},
      {"the sky at the world scale x1", [&] {
         if (currentSky() == nullptr || !currentSky()->isVisible()) return false;
         atOne = skyTopToHorizon();
         return true;
       }, 30},
  }));

  playScript(script, {}, "-windowed");
  EXPECT_GT(atTwo, 60) << "at x2 the sky's top and its hills look alike";
  EXPECT_GT(atOne, 60) << "at x1 the sky's top and its hills look alike: one flat fill";
}

}  // namespace
