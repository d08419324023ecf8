#include "engine/scene/director.h"

#include <cfloat>

#include "engine/base/ref.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"

namespace engine {

namespace {
Director*& sharedDirector() {
  static Director* director = nullptr;
  return director;
}
}  // namespace

Director* Director::getInstance() {
  Director*& director = sharedDirector();
  if (director == nullptr) director = new Director();
  return director;
}

bool Director::hasInstance() { return sharedDirector() != nullptr; }

Director::Director() {
  scheduler_ = new Scheduler();
  actionManager_ = new ActionManager();
  // First per-frame callback of every frame: actions move before anything else reads them.
  ActionManager* actions = actionManager_;
  scheduler_->schedulePerFrame([actions](float dt) { actions->update(dt); }, actions, false);
  // The event dispatcher and the renderer are created here once they exist.
}

Director::~Director() {
  // Nodes that outlive the director keep the scheduler alive; it must not call into an action
  // manager that may go with this release.
  scheduler_->unscheduleUpdate(actionManager_);
  safeRelease(runningScene_);
  safeRelease(actionManager_);
  safeRelease(scheduler_);
  sharedDirector() = nullptr;
}

void Director::mainLoop(float deltaTime) {
  if (invalid_) return;
  drawScene(deltaTime);
  PoolManager::getCurrentPool()->clear();
}

void Director::drawScene(float deltaTime) {
  if (nextDeltaTimeZero_) {
    deltaTime = 0.0f;
    nextDeltaTimeZero_ = false;
  }
  deltaTime_ = deltaTime;
  if (deltaTime_ < FLT_EPSILON) return;

  scheduler_->update(deltaTime_);
  // The colour and depth clear goes here once the renderer is attached.
  if (runningScene_ != nullptr) runningScene_->visit(renderer_, Mat4::IDENTITY, 0);
  // Then the renderer draws its queue and the view swaps buffers.
  ++totalFrames_;
}

void Director::startAnimation() {
  invalid_ = false;
  // The paced loop resets its clock here and takes the animation interval.
  nextDeltaTimeZero_ = true;
}

void Director::stopAnimation() { invalid_ = true; }

void Director::setAnimationInterval(float seconds) {
  animationInterval_ = seconds;
  if (!invalid_) {
    stopAnimation();
    startAnimation();
  }
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
  // The event dispatcher is disabled here once it exists.
  if (runningScene_ != nullptr) {
    runningScene_->removeAllChildrenWithCleanup();
    runningScene_->onExit();
    runningScene_->cleanup();
    safeRelease(runningScene_);
  }
  stopAnimation();
  // Shader, file, GL state and texture caches and the GL view are let go here once they exist.
  delete this;
}

}  // namespace engine
