// The services the headless commands share: a game alone keeps its store under the root it was
// given and leaves the platform alone; a game over the network installs the platform (with its
// counted direct transport) for as long as it is held. Either way the session is the process's
// current one while held, and nothing of it stays bound once the holder is gone.

#include <gtest/gtest.h>

#include <cstdio>

#include "game/launch/game_launch_services.h"
#include "platform/desktop_file_system.h"
#include "platform/platform.h"
#include "tests/support/temp_dir.h"
#include "tools/world_tool/tool_services.h"
#include "tools/world_tool/world_tool_run.h"

namespace {

using world_tool::ToolServices;
using world_tool::ToolServicesSetup;

class ToolServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(world_tool::loadGameData(stderr)); }
  testsupport::ScopedDataHome home;
  GameLaunchServices launch;
};

TEST_F(ToolServicesTest, AGameAloneKeepsItsStoreUnderItsRootAndLeavesThePlatformAlone) {
  const testsupport::TempDir root;
  kel::Platform* const before = kel::Platform::instance();
  {
    ToolServices services(ToolServicesSetup{.saveRoot = root.path().string()}, stdout);
    EXPECT_EQ(services.files().writableRoot(), root.path().string());
    EXPECT_EQ(kel::Platform::instance(), before);
    EXPECT_TRUE(launch.hasCurrentLogic()) << "the session is the current one while held";
  }
  EXPECT_FALSE(launch.hasCurrentLogic());
}

TEST_F(ToolServicesTest, ANetworkGameHoldsThePlatformOnlyWhileItIsHeld) {
  kel::Platform* const before = kel::Platform::instance();
  {
    ToolServices services(ToolServicesSetup{.network = true}, stdout);
    EXPECT_NE(kel::Platform::instance(), nullptr);
    EXPECT_NE(kel::Platform::instance(), before);
    EXPECT_EQ(services.files().writableRoot(), kel::DesktopFileSystem().writableRoot())
        << "the user's own folder, as the program keeps it";
    EXPECT_TRUE(launch.hasCurrentLogic());
  }
  EXPECT_EQ(kel::Platform::instance(), nullptr);
  EXPECT_FALSE(launch.hasCurrentLogic());
}

}  // namespace
