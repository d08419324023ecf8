#pragma once
// A hidden window with an OpenGL 2.1 context for drawing tests that need no engine view: made
// current, entry points loaded, stale errors cleared and the viewport set to the whole window.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace testsupport {

// Null when the window or the entry points cannot be had; the fixture asserts on it.
inline GLFWwindow* openHiddenGLWindow(int width, int height, const char* title) {
  if (!glfwInit()) return nullptr;
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
  glfwWindowHint(GLFW_ALPHA_BITS, 8);
  GLFWwindow* window = glfwCreateWindow(width, height, title, nullptr, nullptr);
  if (window == nullptr) return nullptr;
  glfwMakeContextCurrent(window);
  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) {
    glfwDestroyWindow(window);
    return nullptr;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  glViewport(0, 0, width, height);
  return window;
}

}  // namespace testsupport
