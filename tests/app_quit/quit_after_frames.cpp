// Preloaded into the game for the clean-quit test: wraps the window library's buffer swap and,
// after QUIT_AFTER_FRAMES frames (60 when unset), asks the window to close, as a player closing
// the window from the start view would. Everything else passes straight through.
#include <dlfcn.h>

#include <cstdlib>

struct GLFWwindow;

extern "C" void glfwSwapBuffers(GLFWwindow* window) {
  using Swap = void (*)(GLFWwindow*);
  using Close = void (*)(GLFWwindow*, int);
  static Swap swap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glfwSwapBuffers"));
  static Close close = reinterpret_cast<Close>(dlsym(RTLD_NEXT, "glfwSetWindowShouldClose"));
  static const long limit = std::getenv("QUIT_AFTER_FRAMES") != nullptr ? std::atol(std::getenv("QUIT_AFTER_FRAMES")) : 60;
  static long frames = 0;
  swap(window);
  if (++frames == limit) close(window, 1);
}
