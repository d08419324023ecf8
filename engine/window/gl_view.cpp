#include "engine/window/gl_view.h"

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdlib>

#include "engine/base/log.h"
#include "engine/window/gl_driver_pin.h"
#include "engine/window/gl_view_delegate.h"
#include "engine/window/opengl_version.h"

namespace engine {

namespace {

GLView*& currentView() {
  static GLView* view = nullptr;
  return view;
}

// Failures show up where they matter (no window, no context); the messages themselves are noise.
void ignoreGLFWError(int /*code*/, const char* /*description*/) {}

}  // namespace

GLView::GLView() {
  currentView() = this;
  glfwSetErrorCallback(&ignoreGLFWError);
  glfwInit();
}

GLView::~GLView() {
  if (currentView() == this) currentView() = nullptr;
  glfwTerminate();
}

GLView* GLView::current() { return currentView(); }

bool GLView::createWithSize(uint16_t width, uint16_t height, bool fullScreen) {
  GLFWmonitor* primary = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = primary != nullptr ? glfwGetVideoMode(primary) : nullptr;
  if (fullScreen && mode == nullptr) {
    // Without a monitor to take over, a window is still better than no game.
    log("No monitor for full screen; opening a window");
    fullScreen = false;
  }

  fullScreen_ = fullScreen;
  monitor_ = fullScreen ? primary : nullptr;
  Rect rect(0.0f, 0.0f, width, height);
  if (fullScreen) {
    rect.size = Size(static_cast<float>(mode->width), static_cast<float>(mode->height));
  } else {
    const ScreenRect fitted = fittedWindow(width, height);
    rect.size = Size(static_cast<float>(fitted.width), static_cast<float>(fitted.height));
  }
  if (!initWithRect(rect)) return false;
  // The frame is known only now that the window exists: the fit is made again with it.
  if (!fullScreen) showWindowed(width, height);

  GLViewDelegate& delegate = glViewDelegate();
  delegate.setOpenGLView(this);
  if (GLView* view = delegate.getOpenGLView()) {
    const Size winSize = delegate.getWinSize();
    view->setViewPortInPoints(0.0f, 0.0f, winSize.width, winSize.height);
  }
  return true;
}

void GLView::showWindowed(uint16_t width, uint16_t height) {
  if (window_ == nullptr) return;
  fullScreen_ = false;
  monitor_ = nullptr;
  const ScreenRect fitted = fittedWindow(width, height);
  glfwSetWindowMonitor(window_, nullptr, fitted.x, fitted.y, fitted.width, fitted.height,
                       GLFW_DONT_CARE);
  updateFrameSize();
}

bool GLView::showFullScreen() {
  GLFWmonitor* primary = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = primary != nullptr ? glfwGetVideoMode(primary) : nullptr;
  if (window_ == nullptr || mode == nullptr) return false;
  fullScreen_ = true;
  monitor_ = primary;
  glfwSetWindowMonitor(window_, primary, 0, 0, mode->width, mode->height, mode->refreshRate);
  updateFrameSize();
  return true;
}

ScreenRect GLView::fittedWindow(int width, int height) const {
  ScreenRect workArea;
  if (GLFWmonitor* primary = glfwGetPrimaryMonitor()) {
    glfwGetMonitorWorkarea(primary, &workArea.x, &workArea.y, &workArea.width, &workArea.height);
  }
  FrameEdges frame;
  if (window_ != nullptr) {
    glfwGetWindowFrameSize(window_, &frame.left, &frame.top, &frame.right, &frame.bottom);
  }
  return fitWindowToWorkArea(workArea, width, height, frame);
}

bool GLView::initWithRect(const Rect& rect) {
  frameZoomFactor_ = 1.0f;
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  // Drawing is 2D with depth testing off, so no depth or stencil buffer is ever read. Without
  // them a frame's clear touches a third of the memory, which matters where GL runs in software.
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
  if (window_ != nullptr) {
    glfwDestroyWindow(window_);
    window_ = nullptr;
  }

  window_ = glfwCreateWindow(static_cast<int>(rect.size.width), static_cast<int>(rect.size.height),
                             viewName_.c_str(), monitor_, nullptr);
  if (window_ == nullptr) return false;
  glfwMakeContextCurrent(window_);
  keepGLDriverLoaded();
  glfwSwapInterval(1);
  installCallbacks();

  setFrameSize(rect.size.width, rect.size.height);
  requireOpenGLVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  if (!initGlew()) std::exit(1);
  glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
  return true;
}

void GLView::installCallbacks() {
  glfwSetMouseButtonCallback(window_, &GLView::onGLFWMouseButton);
  glfwSetCursorPosCallback(window_, &GLView::onGLFWCursorPos);
  glfwSetScrollCallback(window_, &GLView::onGLFWScroll);
  glfwSetKeyCallback(window_, &GLView::onGLFWKey);
  glfwSetCharCallback(window_, &GLView::onGLFWChar);
  glfwSetFramebufferSizeCallback(window_, &GLView::onGLFWFramebufferSize);
  glfwSetWindowIconifyCallback(window_, &GLView::onGLFWIconify);
}

void GLView::end() {
  if (window_ != nullptr) {
    glfwSetWindowShouldClose(window_, GLFW_TRUE);
    window_ = nullptr;
  }
  release();
}

bool GLView::windowShouldClose() const {
  return window_ == nullptr || glfwWindowShouldClose(window_) != GLFW_FALSE;
}

void GLView::pollEvents() { glfwPollEvents(); }

void GLView::swapBuffers() {
  if (window_ != nullptr) glfwSwapBuffers(window_);
}

void GLView::setFrameSize(float width, float height) {
  if (window_ != nullptr) {
    updateFrameSize();
  } else {
    GLViewProtocol::setFrameSize(width, height);
  }
}

void GLView::updateFrameSize() {
  if (window_ == nullptr) return;
  int framebufferWidth = 0;
  int framebufferHeight = 0;
  int windowWidth = 0;
  int windowHeight = 0;
  glfwGetFramebufferSize(window_, &framebufferWidth, &framebufferHeight);
  glfwGetWindowSize(window_, &windowWidth, &windowHeight);
  // A minimised window reports zeros, and a framebuffer smaller than its window would give a
  // zoom of 0; neither may divide the frame size.
  if (framebufferWidth <= 0 || framebufferHeight <= 0 || windowWidth <= 0) return;

  frameZoomFactor_ = static_cast<float>(std::max(1, framebufferWidth / windowWidth));
  frameSize_ = Size(static_cast<float>(framebufferWidth) / frameZoomFactor_,
                    static_cast<float>(framebufferHeight) / frameZoomFactor_);
  designResolutionSize_ = frameSize_;
}

void GLView::setViewPortInPoints(float /*x*/, float /*y*/, float /*width*/, float /*height*/) {
  if (window_ == nullptr) return;
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(window_, &width, &height);
  glViewport(0, 0, width, height);
}

void GLView::setScissorInPoints(float /*x*/, float /*y*/, float /*width*/, float /*height*/) {
  if (window_ == nullptr) return;
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(window_, &width, &height);
  glScissor(0, 0, width, height);
}

}  // namespace engine
