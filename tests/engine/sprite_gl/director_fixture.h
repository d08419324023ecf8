#pragma once
// A real window with the real director attached, one fresh director per test. The GLView (and
// with it GLFW) lives for the whole run: terminating GLFW between tests unloads the GL driver,
// whose own allocations would then be reported as leaks. Frames are drawn through the director
// and read back from the back buffer, which the software rasteriser keeps across the swap.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/base/ref.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/window/gl_view.h"

namespace spritetest {

constexpr int kWindowSize = 128;
using Rgba = std::array<int, 4>;

// The one view of the run, made on first use and kept (still reachable) to the end: releasing
// it would terminate GLFW and unload the driver before the leak check runs.
inline engine::GLView* sharedView() {
  static engine::GLView* view = new engine::GLView();
  return view;
}

class DirectorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::PoolManager::getCurrentPool()->clear();
    director_ = engine::Director::getInstance();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    ASSERT_TRUE(sharedView()->createWithSize(kWindowSize, kWindowSize, false));
    window_ = sharedView()->getWindow();
    ASSERT_EQ(director_->getOpenGLView(), sharedView());
    scene_ = engine::InnerNode::create();
    director_->runWithScene(scene_);
  }

  void TearDown() override {
    for (engine::Texture2D* texture : textures_) texture->release();
    textures_.clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    engine::PoolManager::getCurrentPool()->clear();
    if (window_ != nullptr) glfwDestroyWindow(window_);
  }

  // One frame through the director with a fixed step.
  void frame() { director_->mainLoop(1.0f / 60.0f); }

  engine::Renderer* renderer() const { return director_->getRenderer(); }

  static Rgba pixel(int x, int y) {
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  // A texture from rows of RGBA pixels, top row first; released in TearDown.
  engine::Texture2D* texture(int width, int height, const std::vector<uint8_t>& rgba) {
    auto* made = new engine::Texture2D();
    EXPECT_TRUE(made->initWithData(rgba.data(), rgba.size(),
                                   engine::Texture2D::PixelFormat::RGBA8888, width, height));
    textures_.push_back(made);
    return made;
  }

  engine::Texture2D* solid(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return texture(1, 1, {r, g, b, a});
  }

  // 2x2: red, green on the top row; blue, white below.
  engine::Texture2D* quadrants() {
    return texture(2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
  }

  engine::Director* director_ = nullptr;
  engine::InnerNode* scene_ = nullptr;
  GLFWwindow* window_ = nullptr;
  std::vector<engine::Texture2D*> textures_;
};

inline constexpr Rgba kRed{255, 0, 0, 255};
inline constexpr Rgba kGreen{0, 255, 0, 255};
inline constexpr Rgba kBlue{0, 0, 255, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};
inline constexpr Rgba kBlack{0, 0, 0, 255};

inline ::testing::AssertionResult near(const Rgba& actual, const Rgba& expected,
                                       int tolerance = 2) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(actual[i] - expected[i]) > tolerance) {
      return ::testing::AssertionFailure()
             << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ") expected ("
             << expected[0] << ", " << expected[1] << ", " << expected[2] << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace spritetest
