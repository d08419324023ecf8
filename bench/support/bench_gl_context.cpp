#include "bench/support/bench_gl_context.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "engine/render/configuration.h"
#include "engine/render/render_environment.h"

namespace bench {
namespace {

[[noreturn]] void giveUp(const char* why) {
  std::fprintf(stderr, "drawing benchmarks: %s (run under scripts/with-xvfb.sh)\n", why);
  std::exit(1);
}

}  // namespace

void ensureGLContext() {
  static bool open = false;
  if (open) return;
  if (!glfwInit()) giveUp("no display");
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
  GLFWwindow* window = glfwCreateWindow(kWindowSize, kWindowSize, "bench", nullptr, nullptr);
  if (window == nullptr) giveUp("no GL 2.1 window");
  glfwMakeContextCurrent(window);
  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) giveUp("no GL entry points");
  engine::Configuration::getInstance()->gatherGPUInfo();
  // Drawing without a director: the window's own size and projection stand in for it.
  static engine::FixedRenderEnvironment environment;
  environment.setProjectionMatrix(engine::makeOrthographicProjection(kWindowSize, kWindowSize));
  environment.setWinSize(engine::Size(kWindowSize, kWindowSize));
  engine::setRenderEnvironment(&environment);
  open = true;
}

}  // namespace bench
