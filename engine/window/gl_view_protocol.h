#pragma once
// The sizes of the drawing surface and how points map to pixels: the frame size in pixels, the
// design resolution in points, the scales between them and the viewport that the resolution
// policy leaves. GLView adds the real window.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"

namespace engine {

enum class ResolutionPolicy : int32_t {
  EXACT_FIT = 0,     // stretch each axis on its own
  NO_BORDER = 1,     // fill the frame, cropping one axis
  SHOW_ALL = 2,      // show the whole design, leaving borders
  FIXED_HEIGHT = 3,  // keep the design height, widen the design to the frame
  FIXED_WIDTH = 4,   // keep the design width, heighten the design to the frame
  NONE = 5,
};

class GLViewProtocol {
 public:
  virtual ~GLViewProtocol() = default;

  virtual void end() = 0;
  virtual bool isOpenGLReady() = 0;
  virtual void swapBuffers() = 0;
  virtual void setIMEKeyboardState(bool /*open*/) {}
  virtual void pollInputEvents() {}

  virtual const Size& getFrameSize() const { return frameSize_; }
  // Frame and design resolution both become (width, height).
  virtual void setFrameSize(float width, float height);
  virtual Size getVisibleSize() const;
  virtual Vec2 getVisibleOrigin() const;
  virtual Rect getVisibleRect() const;
  // Ignored when either side is 0.
  virtual void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
  virtual const Size& getDesignResolutionSize() const { return designResolutionSize_; }
  virtual void setViewPortInPoints(float x, float y, float width, float height);
  virtual void setScissorInPoints(float x, float y, float width, float height);
  virtual bool isScissorEnabled();
  virtual Rect getScissorRect();
  virtual void setViewName(const std::string& name) { viewName_ = name; }

  const std::string& getViewName() const { return viewName_; }
  const Rect& getViewPortRect() const { return viewPortRect_; }
  float getScaleX() const { return scaleX_; }
  float getScaleY() const { return scaleY_; }
  ResolutionPolicy getResolutionPolicy() const { return resolutionPolicy_; }

 protected:
  // Derives the scales and the viewport from the frame, the design resolution and the policy,
  // then tells the director about the (possibly adjusted) design resolution.
  void updateDesignResolutionSize();

  Size frameSize_;
  Size designResolutionSize_;
  Rect viewPortRect_;
  std::string viewName_;
  float scaleX_ = 1.0f;
  float scaleY_ = 1.0f;
  ResolutionPolicy resolutionPolicy_ = ResolutionPolicy::NONE;
};

}  // namespace engine
