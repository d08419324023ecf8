#include "engine/app/application.h"
#include "engine/app/frame_time_log.h"
#include "engine/app/locale_language.h"
#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "engine/scene/frame_clock.h"
#include "engine/window/gl_view.h"

namespace engine {

namespace {
Application*& sharedApplication() {
  static Application* application = nullptr;
  return application;
}
}  // namespace

Application::Application() : clock_(getSteadyFrameClock()) { sharedApplication() = this; }

Application::~Application() {
  if (sharedApplication() == this) sharedApplication() = nullptr;
  PoolManager::getCurrentPool()->clear();
}

Application* Application::getInstance() { return sharedApplication(); }

void Application::setAnimationInterval(double seconds) {
  animationInterval_ = static_cast<int64_t>(seconds * 1e9);
}

int Application::getCurrentLanguage() {
  return languageNumberForCode(languageCodeFromLocale(currentLocaleName().c_str()));
}

const char* Application::getCurrentLanguageCode() {
  const std::string code = languageCodeFromLocale(currentLocaleName().c_str());
  languageCode_[0] = code[0];
  languageCode_[1] = code[1];
  languageCode_[2] = '\0';
  return languageCode_;
}

bool Application::hasWindow() {
  GLView* view = GLView::current();
  return view != nullptr && view->isOpenGLReady();
}

bool Application::windowShouldClose() {
  GLView* view = GLView::current();
  return view == nullptr || view->windowShouldClose();
}

void Application::pollEvents() { GLView::pollEvents(); }

int Application::run(int argc, char** argv) {
  // Desktop Linux has no graphics-emulator switch to set before launching: nothing to do here.
  int64_t lastFrame = clock_->now();
  if (!applicationDidFinishLaunching(argc, argv)) return 1;

  // The view outlives the purge below, which lets go of the director's reference.
  GLView* view = Director::getInstance()->getOpenGLView();
  if (view != nullptr) view->retain();

  FrameTimeLog frameLog;
  while (hasWindow() && !windowShouldClose() && !quit_) {
    const int64_t now = clock_->now();
    if (now - lastFrame > animationInterval_) {
      // A late frame is not caught up: the next one is timed from this one's start.
      lastFrame = now;
      frameLog.beginFrame();
      Director::getInstance()->mainLoop();
      pollEvents();
      frameLog.endFrame();
    } else {
      // Sleeps rather than spins: the next frame is due one tick past the interval.
      clock_->waitUntil(lastFrame + animationInterval_ + 1);
    }
  }

  if (hasWindow()) {
    Director* director = Director::getInstance();
    director->requestPurge();
    director->mainLoop();
  }
  if (view != nullptr) view->release();
  return 0;
}

}  // namespace engine
