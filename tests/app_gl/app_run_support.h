#pragma once
// What the end-to-end tests of the real program share: a callback at the start of every frame,
// the real services with the build's data folder, a look at the drawn frame, and the pinning of
// the GL driver's libraries for the leak checker.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "content/loader/content_database.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"

namespace apptest {

// Runs `onFrame` with the frame number at the start of every frame of the next run.
void everyFrame(std::function<void(int)> onFrame);
// The GL driver and the window system load libraries of their own and unload them when the
// window system closes, taking the names of their lifelong allocations with them, so the leak
// checker could no longer tell them from ours. Pinning every loaded library keeps the names.
void pinLoadedLibraries();
kel::DesktopPlatform::Services realServices();
// Draws the running scene as the frame would, reads the pixels back and tells whether any pixel
// is not black. With a path, the pixels are also written there as a binary PPM picture.
bool frameShowsSomething(const std::string& picturePath = "");
// Draws the running scene and reads back the pixels of a region (view points, y upwards) as RGBA.
std::vector<unsigned char> framePixels(int x, int y, int width, int height);
// The program with one command-line word after its name, its game stepping on the fixed clock.
int runWith(const std::string& word);

// Each run starts and ends with the default options and no content, and writes its settings and
// saves under a temporary data folder.
class AppRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    resetContentDatabase();
  }
  void TearDown() override {
    testsupport::resetSettings();
    resetContentDatabase();
  }
  testsupport::ScopedDataHome home;
};

}  // namespace apptest
