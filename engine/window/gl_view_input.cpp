// The window system's input, turned into engine events and dispatched at once.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "engine/app/application.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_keyboard.h"
#include "engine/input/event_keyboard_char.h"
#include "engine/input/event_mouse.h"
#include "engine/window/gl_view.h"
#include "engine/window/gl_view_delegate.h"

namespace engine {

namespace {

void dispatch(Event& event) {
  if (EventDispatcher* dispatcher = glViewDelegate().getEventDispatcher()) {
    dispatcher->dispatchEvent(&event);
  }
}

// The first held button in the order left, right, middle; none without a window to ask.
int32_t heldButton(GLFWwindow* window) {
  if (window == nullptr) return EventMouse::BUTTON_UNSET;
  for (int button : {GLFW_MOUSE_BUTTON_LEFT, GLFW_MOUSE_BUTTON_RIGHT, GLFW_MOUSE_BUTTON_MIDDLE}) {
    if (glfwGetMouseButton(window, button) == GLFW_PRESS) return button;
  }
  return EventMouse::BUTTON_UNSET;
}

}  // namespace

Vec2 GLView::cursorInPoints() const {
  return Vec2((cursorX_ - viewPortRect_.origin.x) / scaleX_,
              (viewPortRect_.origin.y + viewPortRect_.size.height - cursorY_) / scaleY_);
}

void GLView::onGLFWMouseButton(GLFWwindow* /*window*/, int button, int action, int /*mods*/) {
  GLView* view = current();
  if (view == nullptr) return;
  EventMouse::MouseEventType type;
  if (action == GLFW_PRESS) {
    type = EventMouse::MouseEventType::MOUSE_DOWN;
  } else if (action == GLFW_RELEASE) {
    type = EventMouse::MouseEventType::MOUSE_UP;
  } else {
    return;
  }
  EventMouse event(type);
  const Vec2 point = view->cursorInPoints();
  event.setCursorPosition(point.x, point.y);
  event.setMouseButton(button);
  dispatch(event);
}

void GLView::onGLFWCursorPos(GLFWwindow* window, double x, double y) {
  GLView* view = current();
  if (view == nullptr) return;
  view->cursorX_ = static_cast<float>(x);
  view->cursorY_ = static_cast<float>(y);
  EventMouse event(EventMouse::MouseEventType::MOUSE_MOVE);
  const Vec2 point = view->cursorInPoints();
  event.setCursorPosition(point.x, point.y);
  event.setMouseButton(heldButton(window));
  dispatch(event);
}

void GLView::onGLFWScroll(GLFWwindow* /*window*/, double dx, double dy) {
  GLView* view = current();
  if (view == nullptr) return;
  EventMouse event(EventMouse::MouseEventType::MOUSE_SCROLL);
  // The wheel is reported at the cursor in points like every other pointer event, so whoever
  // looks for what lies under the wheel finds the same thing a click there would.
  const Vec2 point = view->cursorInPoints();
  event.setCursorPosition(point.x, point.y);
  // Turning the wheel away from the player scrolls content up: the engine's y grows upwards.
  event.setScrollData(static_cast<float>(dx), static_cast<float>(-dy));
  dispatch(event);
}

void GLView::onGLFWKey(GLFWwindow* /*window*/, int key, int /*scancode*/, int action,
                       int /*mods*/) {
  GLView* view = current();
  // Repeats are dropped: holding a key gives exactly one press and one release.
  if (view == nullptr || action == GLFW_REPEAT) return;
  EventKeyboard event(view->keyMap_.toKeyCode(key), action == GLFW_PRESS);
  dispatch(event);
}

void GLView::onGLFWChar(GLFWwindow* /*window*/, unsigned int codePoint) {
  // Text is stored one 16-bit unit per character: characters beyond the basic plane cannot be
  // stored, and a lone surrogate would corrupt the text, so neither is passed on.
  if (current() == nullptr || !EventKeyboardChar::fitsOneUnit(codePoint)) return;
  EventKeyboardChar event(codePoint);
  dispatch(event);
}

void GLView::onGLFWFramebufferSize(GLFWwindow* /*window*/, int width, int height) {
  GLView* view = current();
  if (view == nullptr) return;
  view->updateFrameSize();
  view->updateDesignResolutionSize();
  GLViewDelegate& delegate = glViewDelegate();
  delegate.setOpenGLView(view);
  if (GLView* held = delegate.getOpenGLView()) {
    const Size winSize = delegate.getWinSize();
    held->setViewPortInPoints(0.0f, 0.0f, winSize.width, winSize.height);
  }
  // A minimised window has an empty framebuffer; its scene is hidden until it comes back, and
  // nothing is laid out for a size of nothing.
  const bool shown = width > 0 && height > 0;
  delegate.setRunningSceneVisible(shown);
  Application* application = Application::getInstance();
  if (shown && application != nullptr) application->applicationScreenSizeChanged(width, height);
}

void GLView::onGLFWIconify(GLFWwindow* /*window*/, int iconified) {
  Application* application = Application::getInstance();
  if (application == nullptr) return;
  if (iconified != 0) {
    application->applicationDidEnterBackground();
  } else {
    application->applicationWillEnterForeground();
  }
}

}  // namespace engine
