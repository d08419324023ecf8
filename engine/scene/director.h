#pragma once
// The process-wide frame object: owns the scheduler and the action manager, holds the running
// scene, and runs one frame at a time.
//
// A frame here is: scheduler update, visit of the running scene, then the autorelease pool is
// cleared. The window, the renderer, the event dispatcher and the paced loop that measures the
// delta time join this class later; the places they slot into are marked below.

#include <cstdint>

#include "engine/base/geometry.h"

namespace engine {

class ActionManager;
class Node;
class Renderer;
class Scheduler;

class Director {
 public:
  // The one director, made on first use; purgeDirector is the only way to end it.
  static Director* getInstance();
  // True when a director exists, without making one.
  static bool hasInstance();

  Director(const Director&) = delete;
  Director& operator=(const Director&) = delete;

  // One frame with the given time step. While stopped it does nothing at all; a step below
  // FLT_EPSILON (or the step after setNextDeltaTimeZero) skips the update and the visit, but the
  // autorelease pool is still cleared.
  void mainLoop(float deltaTime);
  void drawScene(float deltaTime);

  void startAnimation();
  void stopAnimation();
  bool isAnimationStopped() const { return invalid_; }
  void setAnimationInterval(float seconds);
  float getAnimationInterval() const { return animationInterval_; }

  // Makes the scene the running one, entering it; the previous scene leaves and is cleaned up.
  void runWithScene(Node* scene);
  Node* getRunningScene() const { return runningScene_; }

  // Ends every scheduled callback, leaves and releases the running scene, and deletes the
  // director; the next getInstance builds a fresh one.
  void purgeDirector();

  Scheduler* getScheduler() const { return scheduler_; }
  ActionManager* getActionManager() const { return actionManager_; }
  // Null until the renderer is attached; nodes pass it on to their draw hook as it is.
  Renderer* getRenderer() const { return renderer_; }
  const Mat4& getModelView() const { return modelView_; }

  float getDeltaTime() const { return deltaTime_; }
  uint32_t getTotalFrames() const { return totalFrames_; }
  // Game code sets this after a long load so that the next frame's step is 0.
  void setNextDeltaTimeZero(bool zero) { nextDeltaTimeZero_ = zero; }
  bool isNextDeltaTimeZero() const { return nextDeltaTimeZero_; }

 private:
  Director();
  ~Director();

  Mat4 modelView_;
  Scheduler* scheduler_ = nullptr;
  ActionManager* actionManager_ = nullptr;
  // The event dispatcher, the GL view and the texture cache join here.
  Renderer* renderer_ = nullptr;  // not owned yet: the renderer's owner attaches it
  float deltaTime_ = 0.0f;
  float animationInterval_ = 1.0f / 60.0f;
  uint32_t totalFrames_ = 0;
  Node* runningScene_ = nullptr;
  bool nextDeltaTimeZero_ = false;
  bool invalid_ = false;  // true while animation is stopped
};

}  // namespace engine
