#include "app/app_delegate.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "content/loader/content_database.h"
#include "tests/app/launch_fixture.h"
#include "tests/support/argv.h"
#include "tests/support/settings_reset.h"

namespace launchtest {
namespace {

class AppDelegateTest : public LaunchTest {
 protected:
  bool launch(std::vector<std::string> words) {
    words.insert(words.begin(), "rubblemoor");
    args = std::make_unique<testsupport::Argv>(std::move(words));
    return application.applicationDidFinishLaunching(args->argc(), args->argv());
  }

  std::string firstWindowEvent() const {
    for (const std::string& event : events) {
      if (event.rfind("window ", 0) == 0) return event;
    }
    return "";
  }

  AppDelegate application{seams};
  std::unique_ptr<testsupport::Argv> args;
};

TEST_F(AppDelegateTest, SafeTurnsSoundAndMusicOffAndTheNextSaveKeepsThemOff) {
  ASSERT_TRUE(launch({"-windowed", "-safe"}));
  EXPECT_FALSE(kel::options().soundEnabled || kel::options().musicEnabled);

  kel::saveSettings();
  testsupport::resetSettings();
  kel::setSettingsHost(settingsHost.get());
  kel::loadSettings();
  EXPECT_FALSE(kel::options().soundEnabled || kel::options().musicEnabled);
}

TEST_F(AppDelegateTest, TheWindowFollowsTheStoredOptions) {
  kel::options().fullScreen = false;
  kel::options().videoMode = {1024, 768};
  kel::saveSettings();
  testsupport::resetSettings();
  kel::setSettingsHost(settingsHost.get());
  ASSERT_TRUE(launch({}));
  EXPECT_EQ(firstWindowEvent(), "window 1024x768 windowed");
}

TEST_F(AppDelegateTest, TheLaunchRunsItsStepsInOrderAndLeavesTheMainLayerRunning) {
  writeContentFile(intactContentFile());
  ASSERT_TRUE(launch({"-windowed"}));
  const Events expected = {"view Rubblemoor X", "window 1920x1200 windowed", "cells",
                           "create views",      "game tables",               "book pages 0",
                           "collections",       "clear statistics",          "entity effects",
                           "clear player",      "clear world",               "main layer"};
  EXPECT_EQ(events, expected);

  engine::Director* director = engine::Director::getInstance();
  ASSERT_NE(seams.layer, nullptr);
  EXPECT_EQ(director->getRunningScene(), seams.layer);
  EXPECT_TRUE(seams.layer->isRunning());
  EXPECT_TRUE(mayStartGame());
}

TEST_F(AppDelegateTest, StartedForAStoreFrontHostTheLaunchEndsByJoiningIt) {
  writeContentFile(intactContentFile());
  ASSERT_TRUE(launch({"-windowed", "-connectsteam", "76561198000000042"}));
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2], "main layer") << "the join comes once the start view shows";
  EXPECT_EQ(events.back(), "join store-front host 76561198000000042");
}

TEST_F(AppDelegateTest, AConnectValueThatNamesNoUserJoinsNothing) {
  writeContentFile(intactContentFile());
  ASSERT_TRUE(launch({"-windowed", "-connectsteam", "friend's game"}));
  EXPECT_EQ(events.back(), "main layer");
}

TEST_F(AppDelegateTest, TerminateSavesWhatARunningGameHasAndAlwaysStopsThePlatform) {
  ASSERT_TRUE(launch({}));
  const struct { bool running, logic, player; Events saved; } cases[] = {
      {false, true, true, {}},  // at the start view nothing is saved
      {true, true, false, {"save world"}},
      {true, false, true, {"save character"}},
  };
  for (const auto& c : cases) {
    events.clear();
    seams.running = c.running;
    seams.logic = c.logic;
    seams.player = c.player;
    application.applicationWillTerminate();
    EXPECT_EQ(events, c.saved) << c.running << c.logic << c.player;
  }
  EXPECT_EQ(steamApi->shutdowns, 1);
}

TEST_F(AppDelegateTest, BackgroundRefreshesOrStopsThenShowsThePauseViewSavesAndStopsFrames) {
  ASSERT_TRUE(launch({}));
  std::filesystem::remove(settingsPath());
  events.clear();
  seams.current = ViewId::Inventory;
  application.applicationDidEnterBackground();
  EXPECT_EQ(events, (Events{"refresh inventory", "pause view"}));
  EXPECT_TRUE(std::filesystem::exists(settingsPath()));
  EXPECT_TRUE(engine::Director::getInstance()->isAnimationStopped());
  application.applicationWillEnterForeground();
  EXPECT_FALSE(engine::Director::getInstance()->isAnimationStopped());

  events.clear();
  seams.current = ViewId::Main;
  application.applicationDidEnterBackground();
  EXPECT_EQ(events, (Events{"stop moving", "pause view"}));
}

TEST_F(AppDelegateTest, ANewWindowSizeIsLaidOutAgainWorldViewFirstThenTheViews) {
  ASSERT_TRUE(launch({}));
  engine::Director* director = engine::Director::getInstance();
  const struct {
    engine::Size window;
    float uiScale;
  } cases[] = {{{1280, 720}, 2.0005f}, {{1600, 1000}, 3.0005f}};
  for (const auto& c : cases) {
    events.clear();
    // Where the window has put its new size by the time the application hears of it.
    director->designResolutionChanged(c.window);
    application.applicationScreenSizeChanged(static_cast<int>(c.window.width), static_cast<int>(c.window.height));
    EXPECT_EQ(events, (Events{"cells", "lay out world view", "lay out views"}));
    EXPECT_EQ(screenLayout().longSide, c.window.width);
    EXPECT_EQ(screenLayout().shortSide, c.window.height);
    EXPECT_FLOAT_EQ(screenLayout().uiScale, c.uiScale) << "the interface scale follows the height";
  }
}

}  // namespace
}  // namespace launchtest
