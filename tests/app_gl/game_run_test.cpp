// The real program under Xvfb: the wiring, the launch, paced frames, the start view on screen,
// and the end of the run by quitting or by closing the window, which must not lose a game.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/game_wiring.h"
#include "platform/screen_layout.h"
#include "content/loader/content_database.h"
#include "engine/app/application.h"
#include "engine/render/renderer.h"
#include "engine/scene/director.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "engine/window/gl_view.h"
#include "game/stats/achievement_popup.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/stats/stats_store.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/support/argv.h"
#include "tests/support/temp_dir.h"
#include "ui/views/game_views.h"
#include "menus/start_view.h"
#include "engine/base/log.h"

namespace {

using apptest::everyFrame;
using apptest::frameShowsSomething;
using apptest::pinLoadedLibraries;
using apptest::runWith;

using GameRunTest = apptest::AppRunTest;

TEST_F(GameRunTest, SafeRunShowsTheStartViewAndQuitsFromAScheduledCallback) {
  int lastFrame = 0;
  bool startViewCurrent = false;
  bool drawn = false;
  engine::Size window;
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    lastFrame = frame;
    if (frame < 10) return;
    window = engine::Director::getInstance()->getWinSize();
    startViewCurrent = gameViews() != nullptr && gameViews()->currentId() == ViewId::Start;
    drawn = frameShowsSomething();
    engine::Application::getInstance()->quit();
  });
  EXPECT_EQ(runWith("-safe"), 0);
  EXPECT_EQ(lastFrame, 10);
  EXPECT_EQ(window.width, 800.0f);
  EXPECT_EQ(window.height, 600.0f);
  EXPECT_TRUE(startViewCurrent);
  EXPECT_TRUE(drawn);
  // The build's content file is intact: no alert, games allowed.
  EXPECT_FALSE(contentIsCompromised());
  EXPECT_TRUE(std::filesystem::exists(home.path() / "Rubblemoor" / "settings.json"));
  EXPECT_FALSE(engine::Director::hasInstance());
  EXPECT_EQ(gameViews(), nullptr);
}

// The real launch, standing in only for a running game and counting its saves.
class RunningGameSteps : public WiredLaunchSteps {
 public:
  using WiredLaunchSteps::WiredLaunchSteps;
  bool hasRunningGame() const override { return true; }
  bool hasCurrentLogic() const override { return true; }
  bool hasLocalPlayer() const override { return true; }
  void saveWorld() override { ++worlds; }
  void saveCharacter() override { ++characters; }
  int worlds = 0;
  int characters = 0;
};

TEST_F(GameRunTest, ClosingTheWindowSavesTheRunningGame) {
  GameWiring wiring(apptest::realServices());
  RunningGameSteps saves(wiring.launchParts());
  testsupport::Argv args({"rubblemoor", "-windowed"});
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    // The player closes the window: the loop ends without anyone calling quit.
    if (frame == 5) glfwSetWindowShouldClose(engine::GLView::current()->getWindow(), GLFW_TRUE);
    EXPECT_EQ(saves.worlds, 0);
  });
  EXPECT_EQ(runWired(saves, args.argc(), args.argv()), 0);
  EXPECT_EQ(saves.worlds, 1);
  EXPECT_EQ(saves.characters, 1);
}

TEST_F(GameRunTest, TheStatisticsReachThePlatformsAchievementsWhileTheGameRuns) {
  bool registeredInRun = false;
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    registeredInRun = statsStore().servicesRegistered();
    if (frame == 3) engine::Application::getInstance()->quit();
  });
  EXPECT_EQ(runWith("-safe"), 0);
  EXPECT_TRUE(registeredInRun);
  EXPECT_FALSE(statsStore().servicesRegistered()) << "undone with the wiring";
}

// Minimising the window sends the game to the background and restoring it brings it back.
TEST_F(GameRunTest, MinimisingTheWindowSendsTheGameToTheBackground) {
  bool hidden = false;
  bool shownAgain = false;
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    if (frame != 3) return;
    GLFWwindow* window = engine::GLView::current()->getWindow();
    engine::GLView::onGLFWIconify(window, GLFW_TRUE);
    hidden = screenLayout().background;
    engine::GLView::onGLFWIconify(window, GLFW_FALSE);
    shownAgain = !screenLayout().background;
    engine::Application::getInstance()->quit();
  });
  EXPECT_EQ(runWith("-safe"), 0);
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(shownAgain);
}

// The program's own local game and rules are the current ones while it runs, and gone after.
TEST_F(GameRunTest, TheLocalGameAndItsRulesAreCurrentWhileTheProgramRuns) {
  bool localGame = false;
  bool localRules = false;
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    localGame = dynamic_cast<GameLocal*>(&currentGame()) != nullptr;
    localRules = dynamic_cast<LocalLogic*>(&currentLogic()) != nullptr;
    if (frame == 3) engine::Application::getInstance()->quit();
  });
  EXPECT_EQ(runWith("-safe"), 0);
  EXPECT_TRUE(localGame);
  EXPECT_TRUE(localRules);
  EXPECT_EQ(dynamic_cast<GameLocal*>(&currentGame()), nullptr) << "cleared with the wiring";
}

class CountingPopup : public AchievementPopup {
 public:
  void show(const AchievementRow&) override { ++shown; }
  int shown = 0;
};

TEST_F(GameRunTest, APopUpRegisteredBeforeTheLaunchStaysInPlace) {
  CountingPopup popup;
  statsStore().setServices(nullptr, &popup);
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    if (frame == 3) {
      statsStore().unlockAchievement(0);
      engine::Application::getInstance()->quit();
    }
  });
  EXPECT_EQ(runWith("-safe"), 0);
  EXPECT_EQ(popup.shown, 1);
  EXPECT_TRUE(statsStore().servicesRegistered());
  statsStore().setServices(nullptr, nullptr);
  statsStore().clearStatistics();
}

}  // namespace
