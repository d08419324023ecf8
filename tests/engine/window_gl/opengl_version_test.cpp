// The OpenGL version check reads only the driver's version string; an old driver stops the
// program after telling the player why.
#include <gtest/gtest.h>

#include <string>

#include "engine/window/alert.h"
#include "engine/window/opengl_version.h"

namespace {

using engine::isOpenGLVersionSupported;

TEST(OpenGLVersion, AcceptsTwoPointOneAndLaterOnly) {
  for (const char* version : {"2.1 Mesa 23.2.1", "2.1", "2.1.2 NVIDIA 340.108", "3",
                              "4.6 (Compatibility Profile) Mesa 23.2.1", "10.0",
                              "99999999999999999999999.0", "2.99999999999999999999999"}) {
    EXPECT_TRUE(isOpenGLVersionSupported(version)) << version;
  }
  EXPECT_FALSE(isOpenGLVersionSupported(nullptr));
  for (const char* version :
       {"2.0 Mesa 7.0", "2.0.0", "2", "1.4 (2.1 Mesa 7.0)", "1.99", "OpenGL ES 3.2", "", "-4.6"}) {
    EXPECT_FALSE(isOpenGLVersionSupported(version)) << version;
  }
}

int alertsShown = 0;
int countAlert(const std::string&, const std::string&) {
  ++alertsShown;
  return engine::ALERT_OK;
}

TEST(OpenGLVersion, SupportedVersionsPassWithoutAnAlert) {
  alertsShown = 0;
  engine::setAlertFunction(&countAlert);
  engine::requireOpenGLVersion("2.1 Mesa 23.2.1");
  EXPECT_EQ(alertsShown, 0);
  EXPECT_EQ(engine::showAlert("title", "text"), engine::ALERT_OK);
  EXPECT_EQ(alertsShown, 1);
  engine::setAlertFunction(nullptr);  // back to the standard error default
  testing::internal::CaptureStderr();
  EXPECT_EQ(engine::showAlert("Title here", "Text here"), engine::ALERT_OK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Title here\nText here\n");
}

TEST(OpenGLVersionDeathTest, OldOrMissingVersionShowsTheAlertAndExitsWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(engine::requireOpenGLVersion("2.0 Mesa 7.0"), testing::ExitedWithCode(1),
              "OpenGL version too old.*OpenGL 2\\.1 or higher is required \\(your version is "
              "2\\.0 Mesa 7\\.0\\)\\. Please upgrade the driver of your video card\\.");
  EXPECT_EXIT(engine::requireOpenGLVersion(nullptr), testing::ExitedWithCode(1),
              "your version is unknown");
}

}  // namespace
