#include "view/world_shot.h"

#include <GL/glew.h>

#include <algorithm>

#include "engine/base/ref_ptr.h"
#include "platform/screen_layout.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_program_cache.h"
#include "engine/scene/director.h"
#include "engine/window/gl_view.h"
#include "game/session/running_world.h"
#include "platform/settings/settings.h"
#include "view/atlas/custom_shaders.h"
#include "view/atlas/game_textures.h"
#include "view/main_layer.h"
#include "view/sky/sky_creation.h"
#include "world/cells/visible_cell_counts.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// The window a headless run opens once; kept to the end of the process, as closing the window
// system would unload the GL driver.
engine::GLView*& headlessView() {
  static engine::GLView* view = nullptr;
  return view;
}

engine::GLView* openView(int width, int height) {
  engine::GLView*& view = headlessView();
  if (view == nullptr) view = new engine::GLView();
  if (!view->createWithSize(static_cast<uint16_t>(width), static_cast<uint16_t>(height), false)) return nullptr;
  engine::Configuration::getInstance()->gatherGPUInfo();
  return view;
}

// A headless run has no launch to lay the screen out; the window's size stands in for it, so the
// cell counts that place the sky's layers and the tile window are the ones the game would have.
void fillScreenLayout(engine::Size window) {
  ScreenLayout& layout = screenLayout();
  const bool sameWindow = layout.longSide == std::max(window.width, window.height) &&
                          layout.shortSide == std::min(window.width, window.height);
  if (visibleCellCounts().rows > 0 && (sameWindow || headlessView() == nullptr)) return;
  layout.longSide = std::max(window.width, window.height);
  layout.shortSide = std::min(window.width, window.height);
  storeVisibleCellCounts(visibleCellCountsFor(layout.longSide, layout.shortSide,
                                              static_cast<int>(kel::options().viewportScale)));
}

}  // namespace

bool captureWorldView(RunningWorld& running, int width, int height, const std::string& graphicsFolder,
                      WorldShot& shot, std::string& error) {
  if (running.world == nullptr || running.player == nullptr) {
    error = "no game is running";
    return false;
  }
  engine::Director* director = engine::Director::getInstance();
  if (director->getOpenGLView() == nullptr) {
    if (width < 16 || height < 16 || width > 8192 || height > 8192) {
      error = "the view size must be 16 to 8192 pixels each way";
      return false;
    }
    if (openView(width, height) == nullptr) {
      error = "no window could be opened (is there a display?)";
      return false;
    }
  } else if (engine::GLView* own = headlessView(); own == director->getOpenGLView() && width >= 16 && height >= 16 &&
                                                   width <= 8192 && height <= 8192) {
    // A later picture at another size: the window this run opened takes it, as a player's does.
    const engine::Size now = director->getWinSize();
    if (static_cast<int>(now.width) != width || static_cast<int>(now.height) != height) {
      own->showWindowed(static_cast<uint16_t>(width), static_cast<uint16_t>(height));
      engine::GLView::onGLFWFramebufferSize(own->getWindow(), width, height);
      // The window system hands the drawing buffers of the new size over with the next frames.
      director->mainLoop(kFrame);
      director->mainLoop(kFrame);
    }
  }
  fillScreenLayout(director->getWinSize());
  if (!graphicsFolder.empty()) setSkyFolderWithoutPlatform(graphicsFolder + "/sky");
  if (!gameTextures().loaded && !graphicsFolder.empty()) {
    if (engine::GLProgramCache::getInstance()->getGLProgram(custom_shader::kFirst) == nullptr) registerCustomShaders();
    loadGameTextures(graphicsFolder, kel::options().lowerGraphics);
  }
  MainLayer* layer = MainLayer::current();
  engine::RefPtr<MainLayer> ownLayer;
  if (layer == nullptr) {
    ownLayer = MainLayer::create();
    layer = ownLayer;
  }
  if (director->getRunningScene() != layer) director->runWithScene(layer);
  const bool built = !layer->hasWorldView() || !layer->showsWorld(running.world.get());
  if (built) layer->buildWorldView(running);
  director->mainLoop(kFrame);
  director->mainLoop(kFrame);

  const engine::Size size = director->getWinSize();
  shot.width = static_cast<int>(size.width);
  shot.height = static_cast<int>(size.height);
  std::vector<uint8_t> rgba(static_cast<size_t>(shot.width) * shot.height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, shot.width, shot.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  shot.pixels.assign(rgba.size() / 4, 0);
  for (int y = 0; y < shot.height; ++y) {
    const uint8_t* row = &rgba[static_cast<size_t>(shot.height - 1 - y) * shot.width * 4];
    for (int x = 0; x < shot.width; ++x) {
      const uint8_t* p = row + static_cast<size_t>(x) * 4;
      shot.pixels[static_cast<size_t>(y) * shot.width + x] =
          (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | 0xFFu;
    }
  }
  if (built) layer->teardownWorldView();
  if (ownLayer != nullptr) director->runWithScene(nullptr);
  return true;
}
