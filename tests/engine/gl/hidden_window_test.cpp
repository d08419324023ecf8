// Proves the test rig: a hidden window opens under the private X server with an OpenGL 2.1
// context and clears to a colour that reads back.
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(HiddenWindow, OpensWithOpenGl21AndReadsBackPixels) {
  ASSERT_TRUE(glfwInit());
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
  GLFWwindow* window = glfwCreateWindow(64, 64, "test", nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  glfwMakeContextCurrent(window);

  const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  EXPECT_EQ(version.rfind("2.1", 0), 0u) << version;

  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_EQ(pixel[2], 0);

  glfwDestroyWindow(window);
  glfwTerminate();
}
