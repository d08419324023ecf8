#pragma once
// The program's one window: a GLFW window with its OpenGL context. It owns the frame and design
// sizes (through GLViewProtocol), opens windowed or full screen, and turns the window system's
// input into engine events for the director's event dispatcher.

#include <cstdint>

#include "engine/base/ref.h"
#include "engine/window/gl_view_protocol.h"
#include "engine/window/key_map.h"
#include "engine/window/window_fit.h"

struct GLFWwindow;
struct GLFWmonitor;

namespace engine {

class GLView : public GLViewProtocol, public Ref {
 public:
  // Becomes the current view and starts the window system.
  GLView();
  // Stops the window system, which closes any window still open.
  ~GLView() override;

  // The view that input goes to; null when there is none.
  static GLView* current();

  // Opens (or reopens) the window and hands the view to the director. Full screen uses the
  // primary monitor's current mode; a window is fitted into that monitor's work area and centred
  // there (window_fit.h). False when no window could be opened, in which case the director is not
  // given the view.
  bool createWithSize(uint16_t width, uint16_t height, bool fullScreen);
  // The open window leaves full screen (if it was) and takes the size, fitted and centred as
  // createWithSize fits it. Nothing without a window.
  void showWindowed(uint16_t width, uint16_t height);
  // The open window covers the primary monitor at its current mode; false, changing nothing, when
  // there is no window or no monitor to take over.
  bool showFullScreen();
  // Opens the window at the rectangle's size, replacing the previous one. Ends the process with
  // exit code 1, after an alert, when the driver's OpenGL is too old or cannot be loaded.
  bool initWithRect(const Rect& rect);
  // Loads the OpenGL entry points; alerts and returns false when that fails or when the driver
  // cannot render to framebuffers.
  bool initGlew();

  // Flags the window to close (the frame loop stops), forgets it and drops a reference.
  void end() override;
  bool isOpenGLReady() override { return window_ != nullptr; }
  void swapBuffers() override;
  // With a window the size comes from the window itself; without one the given size is kept.
  void setFrameSize(float width, float height) override;
  // The window always draws and clips to its whole framebuffer.
  void setViewPortInPoints(float x, float y, float width, float height) override;
  void setScissorInPoints(float x, float y, float width, float height) override;

  // What the frame loop needs from the window system: whether the window asked to close (true
  // once there is no window), and handing pending input to the callbacks below.
  bool windowShouldClose() const;
  static void pollEvents();

  bool isFullScreen() const { return fullScreen_; }
  float getFrameZoomFactor() const { return frameZoomFactor_; }
  GLFWwindow* getWindow() const { return window_; }
  GLFWmonitor* getMonitor() const { return monitor_; }
  // The last cursor position the window system reported: window pixels, top-left origin.
  Vec2 getCursorPosition() const { return Vec2(cursorX_, cursorY_); }

  // The window system's input callbacks. Public so that input can be fed without a window
  // system; each does nothing while there is no current view.
  static void onGLFWMouseButton(GLFWwindow* window, int button, int action, int mods);
  static void onGLFWCursorPos(GLFWwindow* window, double x, double y);
  static void onGLFWScroll(GLFWwindow* window, double dx, double dy);
  static void onGLFWKey(GLFWwindow* window, int key, int scancode, int action, int mods);
  static void onGLFWChar(GLFWwindow* window, unsigned int codePoint);
  static void onGLFWFramebufferSize(GLFWwindow* window, int width, int height);
  // Minimising the window sends the application to the background; restoring it brings it back.
  static void onGLFWIconify(GLFWwindow* window, int iconified);

 private:
  void installCallbacks();
  void updateFrameSize();
  // Where a window of the size goes on the primary monitor, its frame counted once it exists.
  ScreenRect fittedWindow(int width, int height) const;
  // The last cursor position in points, y growing upwards.
  Vec2 cursorInPoints() const;

  KeyMap keyMap_;
  bool fullScreen_ = false;
  float frameZoomFactor_ = 1.0f;
  GLFWwindow* window_ = nullptr;
  GLFWmonitor* monitor_ = nullptr;
  float cursorX_ = 0.0f;
  float cursorY_ = 0.0f;
};

}  // namespace engine
