#include "x_button_sender.h"

#include <dlfcn.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

namespace windowtest {

namespace {

// The window library already loaded the X library; the test borrows its functions rather than
// linking it a second time.
template <typename Function>
Function borrow(const char* name) {
  void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  return library != nullptr ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

}  // namespace

bool sendMouseButton(GLFWwindow* window, int button, bool pressed) {
  using SendEventFunction = Status (*)(Display*, Window, Bool, long, XEvent*);
  using FlushFunction = int (*)(Display*);
  auto sendEvent = borrow<SendEventFunction>("XSendEvent");
  auto flush = borrow<FlushFunction>("XFlush");
  Display* display = glfwGetX11Display();
  if (sendEvent == nullptr || flush == nullptr || display == nullptr) return false;

  const unsigned int xButtons[] = {Button1, Button3, Button2};
  XEvent event{};
  event.xbutton.type = pressed ? ButtonPress : ButtonRelease;
  event.xbutton.display = display;
  event.xbutton.window = glfwGetX11Window(window);
  event.xbutton.button = xButtons[button];
  event.xbutton.same_screen = True;
  const long mask = pressed ? ButtonPressMask : ButtonReleaseMask;
  if (sendEvent(display, event.xbutton.window, False, mask, &event) == 0) return false;
  flush(display);
  return true;
}

}  // namespace windowtest
