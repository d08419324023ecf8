#include "engine/window/gl_view_protocol.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "engine/window/gl_view_delegate.h"

namespace engine {

void GLViewProtocol::setFrameSize(float width, float height) {
  frameSize_ = Size(width, height);
  designResolutionSize_ = frameSize_;
}

Size GLViewProtocol::getVisibleSize() const {
  if (resolutionPolicy_ == ResolutionPolicy::NO_BORDER) {
    return Size(frameSize_.width / scaleX_, frameSize_.height / scaleY_);
  }
  return designResolutionSize_;
}

Vec2 GLViewProtocol::getVisibleOrigin() const {
  if (resolutionPolicy_ == ResolutionPolicy::NO_BORDER) {
    return Vec2((designResolutionSize_.width - frameSize_.width / scaleX_) * 0.5f,
                (designResolutionSize_.height - frameSize_.height / scaleY_) * 0.5f);
  }
  return Vec2::ZERO;
}

Rect GLViewProtocol::getVisibleRect() const {
  const Vec2 origin = getVisibleOrigin();
  const Size size = getVisibleSize();
  return Rect(origin.x, origin.y, size.width, size.height);
}

void GLViewProtocol::setDesignResolutionSize(float width, float height,
                                             ResolutionPolicy policy) {
  if (width == 0.0f || height == 0.0f) return;
  designResolutionSize_ = Size(width, height);
  resolutionPolicy_ = policy;
  updateDesignResolutionSize();
}

void GLViewProtocol::updateDesignResolutionSize() {
  const Size& frame = frameSize_;
  Size& design = designResolutionSize_;
  if (frame.width <= 0.0f || frame.height <= 0.0f || design.width <= 0.0f ||
      design.height <= 0.0f) {
    return;
  }

  scaleX_ = frame.width / design.width;
  scaleY_ = frame.height / design.height;
  switch (resolutionPolicy_) {
    case ResolutionPolicy::NO_BORDER:
      scaleX_ = scaleY_ = std::max(scaleX_, scaleY_);
      break;
    case ResolutionPolicy::SHOW_ALL:
      scaleX_ = scaleY_ = std::min(scaleX_, scaleY_);
      break;
    case ResolutionPolicy::FIXED_HEIGHT:
      scaleX_ = scaleY_;
      design.width = std::ceil(frame.width / scaleX_);
      break;
    case ResolutionPolicy::FIXED_WIDTH:
      scaleY_ = scaleX_;
      design.height = std::ceil(frame.height / scaleY_);
      break;
    case ResolutionPolicy::EXACT_FIT:
    case ResolutionPolicy::NONE:
      break;
  }

  const float viewPortWidth = scaleX_ * design.width;
  const float viewPortHeight = scaleY_ * design.height;
  viewPortRect_ = Rect((frame.width - viewPortWidth) * 0.5f, (frame.height - viewPortHeight) * 0.5f,
                       viewPortWidth, viewPortHeight);

  glViewDelegate().designResolutionChanged(design);
}

void GLViewProtocol::setViewPortInPoints(float x, float y, float width, float height) {
  glViewport(static_cast<GLint>(x * scaleX_ + viewPortRect_.origin.x),
             static_cast<GLint>(y * scaleY_ + viewPortRect_.origin.y),
             static_cast<GLsizei>(width * scaleX_), static_cast<GLsizei>(height * scaleY_));
}

void GLViewProtocol::setScissorInPoints(float x, float y, float width, float height) {
  glScissor(static_cast<GLint>(x * scaleX_ + viewPortRect_.origin.x),
            static_cast<GLint>(y * scaleY_ + viewPortRect_.origin.y),
            static_cast<GLsizei>(width * scaleX_), static_cast<GLsizei>(height * scaleY_));
}

bool GLViewProtocol::isScissorEnabled() { return glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE; }

Rect GLViewProtocol::getScissorRect() {
  GLfloat box[4] = {};
  glGetFloatv(GL_SCISSOR_BOX, box);
  return Rect((box[0] - viewPortRect_.origin.x) / scaleX_,
              (box[1] - viewPortRect_.origin.y) / scaleY_, box[2] / scaleX_, box[3] / scaleY_);
}

}  // namespace engine
