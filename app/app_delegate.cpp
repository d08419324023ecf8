#include "app/app_delegate.h"

#include <GL/glew.h>

#include <algorithm>
#include <optional>

#include "app/launch_steps.h"
#include "app/start_up_game.h"
#include "engine/base/log.h"
#include "engine/base/main_thread.h"
#include "engine/scene/director.h"
#include "engine/scene/node.h"
#include "engine/window/gl_view.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/music.h"
#include "platform/launch_arguments.h"
#include "platform/layout_values.h"
#include "platform/platform.h"
#include "platform/screen_layout.h"
#include "platform/settings/options.h"
#include "platform/settings/settings.h"

namespace {

bool fullScreenWanted(const kel::Platform& platform) {
  return kel::options().fullScreen && !platform.hasArgument("windowed");
}

// The view's GL state may only be touched once it has a window and so a context.
bool hasDrawingContext(engine::Director* director) {
  engine::GLView* view = director->getOpenGLView();
  return view != nullptr && view->isOpenGLReady();
}

void setDesignResolution(engine::Director* director, float layoutScale) {
  engine::GLView* view = director->getOpenGLView();
  if (view == nullptr) return;
  const engine::Size frame = view->getFrameSize();
  view->setDesignResolutionSize(frame.width * layoutScale, frame.height * layoutScale,
                                engine::ResolutionPolicy::EXACT_FIT);
}

}  // namespace

bool AppDelegate::applicationDidFinishLaunching(int argc, char** argv) {
  if (kel::Platform::instance() == nullptr) {
    // Nothing can be opened, read or shown without the platform: end before any frame.
    engine::log("No platform registered; the game cannot launch");
    return false;
  }
  kel::loadSettings();
  kel::Platform& platform = *kel::Platform::instance();
  platform.start(argc, argv);
  if (platform.hasArgument("safe")) {
    applyVideoMode(SAFE_VIDEO_MODE, false);
    // Only the live values: they reach the settings file with the next save.
    kel::options().soundEnabled = false;
    kel::options().musicEnabled = false;
  } else {
    applyVideoMode(kel::options().videoMode, fullScreenWanted(platform));
  }
  steps_.createViews();
  engine::Node* mainLayer = startUpGame(steps_);
  engine::Director* director = engine::Director::getInstance();
  director->runWithScene(mainLayer);
  director->startAnimation();
  joinHostNamedAtLaunch(platform);
  return true;
}

void AppDelegate::joinHostNamedAtLaunch(const kel::Platform& platform) {
  if (!platform.hasArgument(kel::kConnectStoreFrontKey)) return;
  const std::optional<uint64_t> host = kel::parseStoreFrontId(platform.argumentValue(kel::kConnectStoreFrontKey));
  if (!host) {
    engine::log("The store front's host to join is not a user id; the game starts at its menu");
    return;
  }
  steps_.joinStoreFrontHost(*host);
}

void AppDelegate::applyVideoMode(kel::base::VideoMode mode, bool fullScreen) {
  kel::Platform& platform = *kel::Platform::instance();
  platform.applyVideoMode(mode, fullScreen);

  engine::Director* director = engine::Director::getInstance();
  if (hasDrawingContext(director)) glDisable(GL_DEPTH_TEST);
  director->setAnimationInterval(FRAME_INTERVAL);
  deriveScreenLayout();
}

void AppDelegate::applicationScreenSizeChanged(int /*width*/, int /*height*/) {
  // The sizes are read back from the director, which already follows the window.
  deriveScreenLayout();
  steps_.layOutWorldView();
  steps_.layOutViews();
}

void AppDelegate::deriveScreenLayout() {
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return;
  engine::Director* director = engine::Director::getInstance();
  const engine::Size size = director->getWinSize();
  ScreenLayout& layout = screenLayout();
  layout.longSide = std::max(size.width, size.height);
  layout.shortSide = std::min(size.width, size.height);

  const kel::LayoutValues values = platform->layoutValues(size.width, size.height);
  setDesignResolution(director, values.layoutScale);
  layout.longSide *= values.layoutScale;
  layout.shortSide *= values.layoutScale;
  layout.firstFlag = values.firstFlag;
  layout.secondFlag = values.secondFlag;
  layout.layoutNumber = values.layoutNumber;

  const int uiScaleOption = static_cast<int>(kel::options().uiScale);
  layout.uiScale = uiScaleOption != 0 ? static_cast<float>(uiScaleOption) + UI_SCALE_BIAS
                                      : values.defaultUiScale;
  steps_.updateVisibleCellCounts();
}

void AppDelegate::applicationWillTerminate() {
  kel::stopMusic();
  kel::AudioEngine::destroyInstance();
  if (steps_.hasRunningGame()) {
    if (steps_.hasCurrentLogic()) steps_.saveWorld();
    if (steps_.hasLocalPlayer()) steps_.saveCharacter();
  }
  if (kel::Platform* platform = kel::Platform::instance()) platform->stop();
}

void AppDelegate::applicationDidEnterBackground() {
  screenLayout().background = true;
  if (steps_.currentView() == ViewId::Inventory) {
    steps_.refreshInventory();
  } else if (steps_.currentView() == ViewId::Main) {
    steps_.stopLocalPlayerMoving();
  }
  const ViewId current = steps_.currentView();
  if (current != ViewId::Pause && current != ViewId::Start && current != ViewId::Wait) {
    steps_.showPauseView();
  }
  kel::saveSettings();
  engine::Director::getInstance()->stopAnimation();
  kel::AudioEngine::getInstance()->pauseMusic(true);
}

void AppDelegate::applicationWillEnterForeground() {
  engine::Director::getInstance()->startAnimation();
  screenLayout().background = false;
  kel::AudioEngine::getInstance()->pauseMusic(false);
}

int AppDelegate::runUntilClosed(int argc, char** argv) {
  engine::markMainThread();  // the launch's thread owns the world, the rules and the views
  const int result = run(argc, argv);
  // A failed launch started nothing that would need saving or stopping.
  if (result == 0) applicationWillTerminate();
  return result;
}
