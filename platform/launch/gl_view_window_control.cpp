#include "platform/launch/gl_view_window_control.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "engine/base/log.h"
#include "engine/window/gl_view.h"

namespace kel {

GLViewWindowControl::~GLViewWindowControl() {
  if (view_ != nullptr) view_->release();
}

void GLViewWindowControl::createView(const std::string& title) {
  if (view_ != nullptr) return;
  view_ = new engine::GLView();
  view_->setViewName(title);
}

void GLViewWindowControl::applyMode(uint16_t width, uint16_t height, bool fullScreen) {
  if (view_ == nullptr) return;
  if (view_->isOpenGLReady()) {
    resize(width, height, fullScreen);
  } else if (!view_->createWithSize(width, height, fullScreen)) {
    engine::log("Could not open a %ux%u window", static_cast<unsigned>(width),
                static_cast<unsigned>(height));
  }
}

void GLViewWindowControl::resize(uint16_t width, uint16_t height, bool fullScreen) {
  // Without a monitor to take over, the window stays a window.
  if (!fullScreen || !view_->showFullScreen()) view_->showWindowed(width, height);
  // The size callback would only come with the next event poll; the layout is derived now.
  GLFWwindow* window = view_->getWindow();
  int framebufferWidth = 0;
  int framebufferHeight = 0;
  glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
  engine::GLView::onGLFWFramebufferSize(window, framebufferWidth, framebufferHeight);
}

}  // namespace kel
