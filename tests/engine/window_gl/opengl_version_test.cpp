// The OpenGL version check reads only the driver's version string; an old driver stops the
// program after telling the player why.
#include <gtest/gtest.h>


#include "engine/window/opengl_version.h"

namespace {

using engine::isOpenGLVersionSupported;

TEST(OpenGLVersion, AcceptsTwoPointOneAndLaterOnly) {
  for (const char* version : {"2.1 Mesa 23.2.1", "3", "10.0", "99999999999999999999999.0"}) {
    EXPECT_TRUE(isOpenGLVersionSupported(version)) << version;
  }
  EXPECT_FALSE(isOpenGLVersionSupported(nullptr));
  for (const char* version : {"2.0 Mesa 7.0", "1.4 (2.1 Mesa 7.0)", "1.99", "OpenGL ES 3.2"}) {
    EXPECT_FALSE(isOpenGLVersionSupported(version)) << version;
  }
}

TEST(OpenGLVersionDeathTest, OldOrMissingVersionShowsTheAlertAndExitsWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(engine::requireOpenGLVersion("2.0 Mesa 7.0"), testing::ExitedWithCode(1),
              "OpenGL version too old.*OpenGL 2\\.1 or higher is required \\(your version is "
              "2\\.0 Mesa 7\\.0\\)\\. Please upgrade the driver of your video card\\.");
}

}  // namespace
