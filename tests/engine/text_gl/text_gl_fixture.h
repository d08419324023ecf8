#pragma once
// A hidden OpenGL 2.1 window, a renderer and a texture cache for label tests, and a tiny bitmap
// font written to a temporary folder: solid white blocks, so every glyph's pixels are easy to
// find. "A" is 8x8 advancing 10, "B" 4x8 drawn 1 right and 2 down advancing 6, " " advances 5,
// "_" is 6x2 advancing 7; lines are 10 high.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/ref.h"
#include "engine/io/file_utils.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/render_environment.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/director.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/text_environment.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/support/hidden_gl_window.h"
#include "tests/support/temp_dir.h"

namespace textgl {

constexpr int WINDOW_SIZE = 96;
using Rgba = std::array<int, 4>;

// The page: opaque white where the glyph rectangles are, transparent elsewhere.
inline std::string blockFontPage() {
  rendertest::PngSpec page;
  page.width = 32;
  page.height = 16;
  page.pixels.assign(32 * 16 * 4, 0);
  // A at x 0-7, B at x 8-11 (rows 0-7), _ at x 16-21 (rows 0-1).
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 22; ++x) {
      if (x < 12 || (x >= 16 && y < 2)) std::fill_n(&page.pixels[(y * 32 + x) * 4], 4, 255);
    }
  }
  return rendertest::encodePng(page);
}

inline std::string blockFontText() {
  return "common lineHeight=10 base=8 scaleW=32 scaleH=16 pages=1 packed=0\n"
         "page id=0 file=\"blocks.png\"\n"
         "char id=65 x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 xadvance=10 page=0 chnl=15\n"
         "char id=66 x=8 y=0 width=4 height=8 xoffset=1 yoffset=2 xadvance=6 page=0 chnl=15\n"
         "char id=32 x=30 y=14 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 page=0 chnl=15\n"
         "char id=95 x=16 y=0 width=6 height=2 xoffset=0 yoffset=8 xadvance=7 page=0 chnl=15\n";
}

class TextGLFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testsupport::openHiddenGLWindow(WINDOW_SIZE, WINDOW_SIZE, "text test");
    ASSERT_NE(window_, nullptr);
    engine::GL::invalidateStateCache();
    // The director (which sprites ask for the content scale) registers itself as the render
    // environment when made; these tests draw in a fixed one instead.
    engine::Director::getInstance();
    environment_.setProjectionMatrix(engine::makeOrthographicProjection(WINDOW_SIZE, WINDOW_SIZE));
    environment_.setWinSize(engine::Size(WINDOW_SIZE, WINDOW_SIZE));
    engine::setRenderEnvironment(&environment_);
    engine::Configuration::getInstance()->gatherGPUInfo();
    engine::Texture2D::setDefaultAlphaPixelFormat(engine::Texture2D::PixelFormat::RGBA8888);

    textures_ = new engine::TextureCache();
    textEnvironment_.setTextureCache(textures_);
    engine::setTextEnvironment(&textEnvironment_);
    renderer_ = new engine::Renderer();
    renderer_->initGLView();

    dir_.write("blocks.png", blockFontPage());
    fontFile_ = dir_.write("blocks.fnt", blockFontText());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  void TearDown() override {
    engine::PoolManager::getCurrentPool()->clear();
    engine::FontAtlasCache::purgeCachedData();
    delete renderer_;
    engine::setTextEnvironment(nullptr);
    engine::safeRelease(textures_);
    engine::GLProgramStateCache::destroyInstance();
    engine::GLProgramCache::destroyInstance();
    engine::Configuration::destroyInstance();
    engine::FileUtils::destroyInstance();
    engine::GL::invalidateStateCache();
    engine::setRenderEnvironment(nullptr);
    // GLFW stays initialised: unloading the driver would hide its allocations from suppression.
    if (window_ != nullptr) glfwDestroyWindow(window_);
  }

  static Rgba pixel(int x, int y) {
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  GLFWwindow* window_ = nullptr;
  engine::TextureCache* textures_ = nullptr;
  engine::FixedRenderEnvironment environment_;
  engine::FixedTextEnvironment textEnvironment_;
  engine::Renderer* renderer_ = nullptr;
  testsupport::TempDir dir_;
  std::string fontFile_;
};

}  // namespace textgl
