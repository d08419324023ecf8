// A refusal's mark over a cell, then the window's shape changing, as a player meets it: the mark
// shows, times out and is freed at the frame's end; a resize of the window and then a change of
// the world scale from the pause view's options rebuild the tile window, which draws the ground
// again each time. Run under the sanitizers, it shows that nothing reaches for the freed mark.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/window/gl_view.h"
#include "game/player/player_desktop.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "view/effects/tile_hits_window.h"
#include "view/main_layer.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr uint8_t kRefusalMark = 13;

// The first solid cell at or below the player's feet.
MapBlock* groundUnderPlayer() {
  WorldMap& map = player()->world->map();
  const int32_t x = static_cast<int32_t>(player()->cellX);
  for (int32_t y = static_cast<int32_t>(player()->cellY); y >= 0; --y) {
    MapBlock* cell = map.cellAt(x, y);
    if (cell != nullptr && cell->frontId() != 0) return cell;
  }
  return nullptr;
}

// Whether the block batch holds the refusal mark now.
bool markShown() {
  TileSprites* tiles = MainLayer::current() != nullptr ? MainLayer::current()->tiles() : nullptr;
  if (tiles == nullptr || tiles->blockBatch() == nullptr) return false;
  for (engine::Node* child : tiles->blockBatch()->getChildren()) {
    if (child->getLocalZOrder() == TileWindowHits::kOverlayZ) return true;
  }
  return false;
}

GLFWwindow* window() { return engine::GLView::current()->getWindow(); }

engine::Size winSize() { return engine::Director::getInstance()->getWinSize(); }

// Whether the ground cell's tile is drawn: its pixels are not all black.
bool groundDrawn(const MapBlock& cell) {
  const std::vector<unsigned char> pixels = tilePixelsAt(cell);
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    if (pixels[i] + pixels[i + 1] + pixels[i + 2] > 30) return true;
  }
  return false;
}

using RefusalThenResizeWindowTest = AppRunTest;

TEST_F(RefusalThenResizeWindowTest, TheWindowIsResizedAndRescaledAfterARefusalsMarkTimedOut) {
  MapBlock* ground = nullptr;
  int scaleBefore = 0;
  const engine::Size small(800, 600);
  Script script(joined(intoANewWorld(), {
      {"the ground under the player", [&] {
         ground = groundUnderPlayer();
         return ground != nullptr && groundDrawn(*ground);
       }},
      {"a refusal marks the cell", [&] {
         currentGame().playCellEffect(kRefusalMark, *ground);
         return markShown();
       }, 5},
      // The mark's own time runs out; the frame's end then frees it.
      {"the mark times out", [&] { return !markShown(); }, 60 * 5},
      {"the window is resized", [&] {
         glfwSetWindowSize(window(), static_cast<int>(small.width), static_cast<int>(small.height));
         return true;
       }},
      {"the new size arrives", [&] { return winSize() == small; }, 120},
      {"the ground is drawn at the new size", [&] { return groundDrawn(*ground); }, 30},
      {"another refusal, then the pause view's options", [&] {
         currentGame().playCellEffect(kRefusalMark, *ground);
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }, 10},
      {"the options", [&] { return chooseRow("Options") && hasRow("World scale"); }, 10},
      {"the mark times out behind the pause view", [&] { return !markShown(); }, 60 * 5},
      {"the world scale steps", [&] {
         scaleBefore = static_cast<int>(kel::options().viewportScale);
         return chooseRow("World scale") && static_cast<int>(kel::options().viewportScale) != scaleBefore;
       }, 10},
      {"back to the world", [&] {
         tap(GLFW_KEY_ESCAPE);
         if (current() == ViewId::Pause) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 20},
      {"the ground is drawn at the new scale", [&] { return groundDrawn(*ground); }, 30},
  }));

  playScript(script, {}, "-windowed");
}

}  // namespace
