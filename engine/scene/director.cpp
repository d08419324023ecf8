#include "engine/scene/director.h"

#include <GL/glew.h>

#include <cfloat>

#include "engine/base/ref.h"
#include "engine/input/event_dispatcher.h"
#include "engine/io/file_utils.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/display_link_director.h"
#include "engine/scene/frame_clock.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "engine/window/gl_view.h"

namespace engine {

namespace {
Director*& sharedDirector() {
  static Director* director = nullptr;
  return director;
}
}  // namespace

Director* Director::getInstance() {
  Director*& director = sharedDirector();
  if (director == nullptr) director = new DisplayLinkDirector();
  return director;
}

bool Director::hasInstance() { return sharedDirector() != nullptr; }

Director::Director() : clock_(getSteadyFrameClock()) {
  scheduler_ = new Scheduler();
  actionManager_ = new ActionManager();
  // First per-frame callback of every frame: actions move before anything else reads them.
  ActionManager* actions = actionManager_;
  scheduler_->schedulePerFrame([actions](float dt) { actions->update(dt); }, actions, false);
  eventDispatcher_ = new EventDispatcher();
  renderer_ = new Renderer();
  textureCache_ = new TextureCache();
  Texture2D::setDefaultAlphaPixelFormat(Texture2D::PixelFormat::RGBA8888);
  // Drawing, text and the window read the frame's facts from here while the director lives.
  setRenderEnvironment(this);
  setTextEnvironment(this);
  setGLViewDelegate(this);
}

Director::~Director() {
  // Nodes that outlive the director keep the scheduler alive; it must not call into an action
  // manager that may go with this release.
  scheduler_->unscheduleUpdate(actionManager_);
  safeRelease(runningScene_);
  safeRelease(actionManager_);
  safeRelease(scheduler_);
  safeRelease(eventDispatcher_);
  safeRelease(textureCache_);
  safeRelease(openGLView_);
  Configuration::destroyInstance();
  delete renderer_;
  renderer_ = nullptr;
  if (getRenderEnvironment() == this) setRenderEnvironment(nullptr);
  if (getTextEnvironment() == this) setTextEnvironment(nullptr);
  if (&glViewDelegate() == this) setGLViewDelegate(nullptr);
  sharedDirector() = nullptr;
}

void Director::setContentScaleFactor(float factor) {
  if (factor > 0.0f) contentScaleFactor_ = factor;
}

double Director::getTotalTime() const {
  return static_cast<double>(totalFrames_) * static_cast<double>(animationInterval_);
}

void Director::resetMatrices() {
  modelView_ = Mat4::IDENTITY;
  projection_ = Mat4::IDENTITY;
}

void Director::calculateDeltaTime() {
  const int64_t nanoseconds = clock_->now();
  const auto seconds = static_cast<int32_t>(nanoseconds / 1000000000);
  const auto microseconds = static_cast<int32_t>((nanoseconds % 1000000000) / 1000);
  if (nextDeltaTimeZero_) {
    deltaTime_ = 0.0f;
    nextDeltaTimeZero_ = false;
  } else {
    deltaTime_ = static_cast<float>(microseconds - lastUpdateMicroseconds_) / 1e6f +
                 static_cast<float>(seconds - lastUpdateSeconds_);
    if (!(deltaTime_ > 0.0f)) deltaTime_ = 0.0f;
  }
  lastUpdateSeconds_ = seconds;
  lastUpdateMicroseconds_ = microseconds;
}

bool Director::takeDeltaTime(float deltaTime) {
  if (nextDeltaTimeZero_) {
    deltaTime = 0.0f;
    nextDeltaTimeZero_ = false;
  }
  deltaTime_ = deltaTime;
  return deltaTime_ >= FLT_EPSILON;
}

void Director::drawScene() {
  calculateDeltaTime();
  if (deltaTime_ < FLT_EPSILON) return;
  drawFrame();
}

void Director::drawFrame() {
  scheduler_->update(deltaTime_);
  // Without a view there is no context to clear (headless tools and tests).
  if (openGLView_ != nullptr) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (runningScene_ != nullptr) runningScene_->visit(renderer_, Mat4::IDENTITY, 0);
  renderer_->render();
  ++totalFrames_;
  if (openGLView_ != nullptr) openGLView_->swapBuffers();
}

void Director::setOpenGLView(GLView* view) {
  if (view == nullptr) return;
  Configuration::getInstance()->gatherGPUInfo();
  const bool firstView = openGLView_ == nullptr;
  if (view != openGLView_) setRetained(openGLView_, view);
  winSizeInPoints_ = view->getDesignResolutionSize();
  setGLDefaultValues();
  if (firstView) renderer_->initGLView();
  eventDispatcher_->setEnabled(true);
}

void Director::designResolutionChanged(const Size& designSize) {
  winSizeInPoints_ = designSize;
  if (openGLView_ != nullptr) setGLDefaultValues();
}

void Director::setRunningSceneVisible(bool visible) {
  if (runningScene_ != nullptr) runningScene_->setVisible(visible);
}

void Director::setGLDefaultValues() {
  GL::blendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  setProjection();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glDisable(GL_DITHER);
}

void Director::setProjection() {
  const float width = winSizeInPoints_.width;
  const float height = winSizeInPoints_.height;
  if (openGLView_ != nullptr) openGLView_->setViewPortInPoints(0.0f, 0.0f, width, height);
  // A window without size (minimised, not yet laid out) would make the projection divide by 0.
  projection_ = width > 0.0f && height > 0.0f ? makeOrthographicProjection(width, height)
                                               : Mat4::IDENTITY;
  modelView_ = Mat4::IDENTITY;
}

Vec2 Director::convertToGL(const Vec2& point) const {
  const Mat4 transform = projection_ * modelView_;
  const Vec4 origin = transform.transformVector(0.0f, 0.0f, 0.0f, 1.0f);
  const float zClip = origin.w != 0.0f ? origin.z / origin.w : 0.0f;
  const Size size = openGLView_ != nullptr ? openGLView_->getDesignResolutionSize()
                                           : winSizeInPoints_;
  if (size.width <= 0.0f || size.height <= 0.0f) return point;
  const float x = 2.0f * point.x / size.width - 1.0f;
  const float y = 1.0f - 2.0f * point.y / size.height;
  const Vec4 result = transform.getInversed().transformVector(x, y, zClip, 1.0f);
  if (result.w == 0.0f) return Vec2(result.x, result.y);
  return Vec2(result.x / result.w, result.y / result.w);
}

void Director::runWithScene(Node* scene) {
  if (scene == runningScene_) return;
  if (scene != nullptr) scene->retain();
  if (runningScene_ != nullptr) {
    runningScene_->onExit();
    runningScene_->cleanup();
    runningScene_->release();
  }
  runningScene_ = scene;
  if (runningScene_ != nullptr) runningScene_->onEnter();
}

void Director::purgeDirector() {
  scheduler_->unscheduleAll();
  eventDispatcher_->setEnabled(false);
  if (runningScene_ != nullptr) {
    runningScene_->removeAllChildrenWithCleanup();
    runningScene_->onExit();
    runningScene_->cleanup();
    safeRelease(runningScene_);
  }
  stopAnimation();
  // States hold programs: let go of the states first.
  GLProgramStateCache::destroyInstance();
  GLProgramCache::destroyInstance();
  FileUtils::destroyInstance();
  GL::invalidateStateCache();
  safeRelease(textureCache_);
  if (openGLView_ != nullptr) {
    // end() drops the reference this director took in setOpenGLView.
    GLView* view = openGLView_;
    openGLView_ = nullptr;
    view->end();
  }
  delete this;
}

}  // namespace engine
