#pragma once
// The process-wide frame object. It owns the scheduler, the action manager, the event
// dispatcher, the renderer and the texture cache, holds the GL view, the running scene and the
// 2D projection, measures each frame's time step and, on request, tears the engine down.
//
// It is what drawing, text and the window ask about the frame they live in, so it registers
// itself as their environment and window delegate while it exists. Not reference counted.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/render_environment.h"
#include "engine/text/text_environment.h"
#include "engine/window/gl_view_delegate.h"

namespace engine {

class ActionManager;
class EventDispatcher;
class FrameClock;
class GLView;
class Node;
class Renderer;
class Scheduler;
class TextureCache;

class Director : public RenderEnvironment, public TextEnvironment, public GLViewDelegate {
 public:
  // The one director, made on first use; purgeDirector is the only way to end it.
  static Director* getInstance();
  // True when a director exists, without making one.
  static bool hasInstance();

  Director(const Director&) = delete;
  Director& operator=(const Director&) = delete;

  virtual void setAnimationInterval(float seconds) = 0;
  virtual void stopAnimation() = 0;
  // Arms the pacing: the application takes the interval, and the next step is zero.
  virtual void startAnimation() = 0;
  // One frame, timed by the clock; runs the purge instead when one was requested.
  virtual void mainLoop() = 0;
  // One frame with a given time step (fixed-step tools and tests). While stopped it does nothing
  // at all; a step below FLT_EPSILON (or the step after setNextDeltaTimeZero) skips the update
  // and the drawing, but the autorelease pool is still cleared.
  virtual void mainLoop(float deltaTime) = 0;

  bool isAnimationStopped() const { return invalid_; }
  float getAnimationInterval() const { return animationInterval_; }

  // Takes the view (retained), its design resolution as the window size, applies the GL
  // defaults, sets up the renderer's GL objects for the first view and enables the dispatcher.
  void setOpenGLView(GLView* view) override;
  GLView* getOpenGLView() override { return openGLView_; }
  void designResolutionChanged(const Size& designSize) override;
  EventDispatcher* getEventDispatcher() override { return eventDispatcher_; }
  void setRunningSceneVisible(bool visible) override;

  // Blending for premultiplied alpha, no depth test, the 2D projection, black clear colour.
  void setGLDefaultValues();
  // The viewport and an orthographic projection over the window size in points.
  void setProjection();
  // A window point (top-left origin) to scene coordinates (bottom-left origin).
  Vec2 convertToGL(const Vec2& point) const;

  // One frame's work after the time step is known: update, clear, visit, render, swap.
  void drawScene();
  void calculateDeltaTime();

  // Makes the scene the running one, entering it; the previous scene leaves and is cleaned up.
  void runWithScene(Node* scene);
  Node* getRunningScene() const { return runningScene_; }

  // Asks the next mainLoop to purge instead of drawing.
  void requestPurge() { purgeRequested_ = true; }
  bool isPurgeRequested() const { return purgeRequested_; }
  // Ends every scheduled callback, leaves and releases the running scene, lets go of the shader,
  // file, GL state and texture caches and the view, and deletes the director; the next
  // getInstance builds a fresh one.
  void purgeDirector();

  Scheduler* getScheduler() const { return scheduler_; }
  ActionManager* getActionManager() const { return actionManager_; }
  Renderer* getRenderer() const { return renderer_; }
  TextureCache* getTextureCache() const override { return textureCache_; }
  const Mat4& getModelView() const { return modelView_; }
  const Mat4& getProjection() const { return projection_; }

  Size getWinSize() const override { return winSizeInPoints_; }
  Size getWinSize() override { return winSizeInPoints_; }
  float getContentScaleFactor() const override { return contentScaleFactor_; }
  // Values that are not positive are ignored: texture coordinates divide by it.
  void setContentScaleFactor(float factor);

  float getDeltaTime() const { return deltaTime_; }
  uint32_t getTotalFrames() const { return totalFrames_; }
  // Game code sets this after a long load so that the next frame's step is 0.
  void setNextDeltaTimeZero(bool zero) { nextDeltaTimeZero_ = zero; }
  bool isNextDeltaTimeZero() const { return nextDeltaTimeZero_; }


  // What drawing reads.
  Mat4 getProjectionMatrix() const override { return projection_; }
  double getTotalTime() const override;
  void resetMatrices() override;

 protected:
  friend struct FrameClockProbe;  // tests step frames on their own clock
  Director();
  ~Director() override;

  // The frame proper once deltaTime_ is set.
  void drawFrame();
  // Honours the next-step-zero flag; true when the frame is to be drawn.
  bool takeDeltaTime(float deltaTime);

  Mat4 modelView_;
  Mat4 projection_;
  bool purgeRequested_ = false;
  Scheduler* scheduler_ = nullptr;
  ActionManager* actionManager_ = nullptr;
  EventDispatcher* eventDispatcher_ = nullptr;
  Renderer* renderer_ = nullptr;
  float deltaTime_ = 0.0f;
  GLView* openGLView_ = nullptr;  // retained
  TextureCache* textureCache_ = nullptr;
  float animationInterval_ = 1.0f / 60.0f;
  uint32_t totalFrames_ = 0;
  Node* runningScene_ = nullptr;  // retained
  // Whole seconds and microseconds of the last step.
  int32_t lastUpdateSeconds_ = 0;
  int32_t lastUpdateMicroseconds_ = 0;
  bool nextDeltaTimeZero_ = false;
  Size winSizeInPoints_;
  float contentScaleFactor_ = 1.0f;
  bool invalid_ = false;  // true while animation is stopped
  FrameClock* clock_ = nullptr;
};

}  // namespace engine
