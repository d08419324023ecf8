#pragma once
// A hidden 64x64 window with an OpenGL 2.1 context per test, the GL caches reset around it, and
// helpers to build quads and read pixels back.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <utility>

#include "engine/io/file_utils.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/quad_command.h"
#include "engine/render/quad_types.h"
#include "engine/render/render_environment.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"
#include "tests/engine/render_gl/pixels.h"
#include "tests/support/hidden_gl_window.h"

namespace rendertest {

constexpr int kWindowSize = 64;

class GLFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testsupport::openHiddenGLWindow(kWindowSize, kWindowSize, "render test");
    ASSERT_NE(window_, nullptr);
    environment_.setWinSize(engine::Size(kWindowSize, kWindowSize));
    engine::setRenderEnvironment(&environment_);
    engine::GL::invalidateStateCache();  // resets the matrices
    environment_.setProjectionMatrix(
        engine::makeOrthographicProjection(kWindowSize, kWindowSize));
    engine::Configuration::getInstance()->gatherGPUInfo();
    engine::Texture2D::setDefaultAlphaPixelFormat(engine::Texture2D::PixelFormat::RGBA8888);
    clear(0, 0, 0, 255);
  }

  void TearDown() override {
    engine::GLProgramStateCache::destroyInstance();
    engine::GLProgramCache::destroyInstance();
    engine::Configuration::destroyInstance();
    engine::FileUtils::destroyInstance();
    engine::GL::invalidateStateCache();
    engine::setRenderEnvironment(nullptr);
    // GLFW stays initialised for the whole run: terminating it unloads the GL driver, whose own
    // allocations would then be reported without a module name to suppress them by.
    if (window_ != nullptr) glfwDestroyWindow(window_);
  }

  static void clear(int r, int g, int b, int a) {
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The shared state of a built-in program.
  static engine::GLProgramState* builtinState(int64_t key) {
    return engine::GLProgramStateCache::getInstance()->getGLProgramState(
        engine::GLProgramCache::getInstance()->getGLProgram(key));
  }

  // A texture of one RGBA colour, owned by the caller.
  static engine::Texture2D* solidTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    const unsigned char bytes[4] = {r, g, b, a};
    auto* texture = new engine::Texture2D();
    EXPECT_TRUE(
        texture->initWithData(bytes, 4, engine::Texture2D::PixelFormat::RGBA8888, 1, 1));
    return texture;
  }

  // An axis-aligned quad in node space covering the whole texture.
  static engine::V2F_C4B_T2F_Quad quad(float x, float y, float w, float h,
                                       engine::Color4B color = engine::Color4B::WHITE) {
    engine::V2F_C4B_T2F_Quad q;
    q.tl = {{x, y + h}, color, {0, 0}};
    q.bl = {{x, y}, color, {0, 1}};
    q.tr = {{x + w, y + h}, color, {1, 0}};
    q.br = {{x + w, y}, color, {1, 1}};
    return q;
  }

  // Draws each quad of the texture as a command of its own, blending off, through a fresh
  // renderer; a null state is the built-in sprite program. Returns the draw calls made.
  static uint64_t drawQuads(
      engine::Texture2D* texture,
      std::initializer_list<std::pair<engine::GLProgramState*, engine::V2F_C4B_T2F_Quad>> items) {
    engine::Renderer renderer;
    renderer.initGLView();
    std::deque<engine::V2F_C4B_T2F_Quad> quads;
    std::deque<engine::QuadCommand> commands;
    for (const auto& [state, q] : items) {
      quads.push_back(q);
      commands.emplace_back().init(
          0, texture->getName(),
          state != nullptr ? state : builtinState(engine::PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP),
          engine::BlendFunc::DISABLE, &quads.back(), 1, engine::Mat4::IDENTITY);
      renderer.addCommand(&commands.back());
    }
    renderer.render();
    return renderer.getDrawCallCount();
  }

  GLFWwindow* window_ = nullptr;
  engine::FixedRenderEnvironment environment_;
};

// A GL window and a texture cache of the test's own, released before the window closes.
class TextureCacheFixture : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    if (HasFatalFailure()) return;
    cache_ = new engine::TextureCache();
  }
  void TearDown() override {
    engine::safeRelease(cache_);
    GLFixture::TearDown();
  }

  engine::TextureCache* cache_ = nullptr;
};

}  // namespace rendertest
