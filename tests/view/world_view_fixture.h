#pragma once
// A real window, the real director and a main layer running as the scene, with test atlases
// written as PNG files: in rocks.png every 32-px cell of the top row has its own colour (the
// block of that index), in fluids.png water is blue, lava orange and acid green. A 40x30 test
// world under full sky holds dirt below row 10, and a player stands at cell (10, 10). The window
// is 180 px square at view scale 3: cells are 60 px and cells 9-11 fill it, cell (10, 10) in the
// middle.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/base/ref.h"
#include "engine/render/configuration.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/window/gl_view.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "platform/settings/settings.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/support/temp_dir.h"
#include "tests/world/world_test_blocks.h"
#include "view/atlas/custom_shaders.h"
#include "view/atlas/game_textures.h"
#include "view/main_layer.h"
#include "view/sky/sky_creation.h"
#include "view/sky/sky_creation.h"
#include "world/map/world_map.h"
#include "world/world.h"
#include "tests/support/settings_reset.h"

namespace worldgl {

constexpr int kWindow = 180;
using Rgba = std::array<int, 4>;

// The test block atlas colour of block index i (ids below 2048).
inline Rgba blockColour(int index) {
  return {(index * 40 + 20) % 256, (index * 90 + 60) % 256, (index * 25 + 100) % 256, 255};
}
inline constexpr Rgba kWater{0, 0, 255, 255};
inline constexpr Rgba kLava{255, 128, 0, 255};
inline constexpr Rgba kAcid{0, 255, 0, 255};

inline std::string rocksPng() {
  rendertest::PngSpec png;
  png.width = 2048;
  png.height = 32;
  png.pixels.assign(static_cast<size_t>(png.width) * png.height * 4, 0);
  for (int y = 0; y < png.height; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const Rgba c = blockColour(x / 32);
      for (int k = 0; k < 4; ++k) png.pixels[(static_cast<size_t>(y) * png.width + x) * 4 + k] = static_cast<uint8_t>(c[k]);
    }
  }
  return rendertest::encodePng(png);
}

inline std::string fluidsPng() {
  rendertest::PngSpec png;
  png.width = 384;
  png.height = 160;
  png.pixels.assign(static_cast<size_t>(png.width) * png.height * 4, 0);
  for (int y = 0; y < png.height; ++y) {
    for (int x = 0; x < png.width; ++x) {
      const Rgba c = x < 128 ? kWater : x < 256 ? kLava : kAcid;
      for (int k = 0; k < 4; ++k) png.pixels[(static_cast<size_t>(y) * png.width + x) * 4 + k] = static_cast<uint8_t>(c[k]);
    }
  }
  return rendertest::encodePng(png);
}

inline engine::GLView* sharedView() {
  static engine::GLView* view = new engine::GLView();
  return view;
}

class WorldViewTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testsupport::resetSettings();
    kel::options().smoothLighting = false;
    engine::PoolManager::getCurrentPool()->clear();
    engine::Director::getInstance();  // the view attaches to the director that exists
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    ASSERT_TRUE(sharedView()->createWithSize(kWindow, kWindow, false));
    window_ = sharedView()->getWindow();
    engine::Configuration::getInstance()->gatherGPUInfo();
    atlases.write("rocks.png", rocksPng());
    atlases.write("fluids.png", fluidsPng());
    layer = MainLayer::create();
    layer->retain();
    engine::Director::getInstance()->runWithScene(layer);

    running.world = World::create(nullptr, WorldParams{}, 40, 30);
    map = &running.world->map();
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) map->cell(x, y).setSkyLevel(15);
      for (int y = 0; y < 10; ++y) map->cell(x, y).setFront(world_test::kDirt, 0, 0);
    }
    running.player = std::make_unique<PlayerDesktopLocal>(nullptr);
    standAt(10, 10);
  }

  void TearDown() override {
    layer->teardownWorldView();
    unloadGameTextures();
    engine::safeRelease(layer);
    running.player.reset();
    running.world.reset();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    engine::PoolManager::getCurrentPool()->clear();
    // The shared view destroys its window itself when the next test makes a new one.
    testsupport::resetSettings();
    WorldTest::TearDown();
  }

  void standAt(int x, int y) {
    running.player->cellX = static_cast<uint32_t>(x);
    running.player->cellY = static_cast<uint32_t>(y);
    running.player->position = engine::Vec2(static_cast<float>(x) * 30.0f, static_cast<float>(y) * 30.0f);
  }

  // Dirt in front and behind in the rows below `rows`, open air with sky `skyAbove` over it; the
  // ground's own sky is 0.
  void groundBelow(int rows, uint8_t skyAbove) {
    for (int x = 0; x < 40; ++x) {
      for (int y = 0; y < 30; ++y) {
        MapBlock& c = map->cell(x, y);
        const bool ground = y < rows;
        c.setSkyLevel(ground ? 0 : skyAbove);
        c.setFront(ground ? world_test::kDirt : world_test::kAir, 0, 0);
        c.setLayer(ground ? world_test::kDirt : world_test::kAir, 0, MapBlock::kBack);
      }
    }
  }

  void build() {
    // The game finds each column's surface once the world is made and keeps it with every edit.
    map->computeSurfaceHeights();
    registerCustomShaders();
    loadGameTextures(atlases.path().string(), false);
    layer->buildWorldView(running);
    // The world is built with its planet's sky behind it; the tiles' pixels here are read against
    // black, so the sky steps aside (it has drawing tests of its own).
    EXPECT_NE(currentSky(), nullptr);
    layer->setSky(nullptr, {}, 0);
  }

  void frame() { engine::Director::getInstance()->mainLoop(1.0f / 60.0f); }

  // The middle pixel of the cell (x, y) on the screen.
  static Rgba cellPixel(int x, int y) {
    const int px = kWindow / 2 + (x - 10) * 60;
    const int py = kWindow / 2 + (y - 10) * 60;
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  static ::testing::AssertionResult near(const Rgba& actual, const Rgba& expected, int tolerance = 3) {
    for (int i = 0; i < 3; ++i) {
      if (std::abs(actual[i] - expected[i]) > tolerance) {
        return ::testing::AssertionFailure() << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                                             << ") expected (" << expected[0] << ", " << expected[1] << ", "
                                             << expected[2] << ")";
      }
    }
    return ::testing::AssertionSuccess();
  }

  static Rgba scaled(const Rgba& colour, int light) {
    return {colour[0] * light / 255, colour[1] * light / 255, colour[2] * light / 255, 255};
  }

  testsupport::TempDir atlases;
  MainLayer* layer = nullptr;
  RunningWorld running;
  WorldMap* map = nullptr;
  GLFWwindow* window_ = nullptr;
};

}  // namespace worldgl
