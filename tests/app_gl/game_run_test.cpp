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
#include "content/launch/game_services.h"
#include "content/launch/save_services.h"
#include "content/launch/screen_layout.h"
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
#include "tests/support/argv.h"
#include "tests/support/temp_dir.h"
#include "ui/views/game_views.h"
#include "menus/start_view.h"
#include "engine/base/log.h"

namespace {

// Runs `onFrame` with the frame number at the start of every frame of the next run.
void everyFrame(std::function<void(int)> onFrame) {
  static int target = 0;
  auto frames = std::make_shared<int>(0);
  engine::Director::getInstance()->getScheduler()->schedule(
      [frames, onFrame](float) { onFrame(++*frames); }, &target, 0.0f, engine::REPEAT_FOREVER,
      0.0f, 1);
}

// The GL driver and the window system load libraries of their own and unload them when the
// window system closes, taking the names of their lifelong allocations with them, so the leak
// checker could no longer tell them from ours. Pinning every loaded library keeps the names.
void pinLoadedLibraries() {
  std::ifstream maps("/proc/self/maps");
  std::set<std::string> pinned;
  std::string line;
  while (std::getline(maps, line)) {
    const size_t slash = line.find('/');
    if (slash == std::string::npos || line.find(".so", slash) == std::string::npos) continue;
    const std::string path = line.substr(slash);
    if (pinned.insert(path).second) dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

kel::DesktopPlatform::Services realServices() {
  kel::DesktopPlatform::Services services;
  services.installCrashReporter = false;
  // Where the build puts the executable, so the data folder is the one the build assembled.
  const std::string executable = std::string(RUBBLE_DATA_DIR) + "/../out/bin/rubblemoor";
  services.executablePath = [executable] { return executable; };
  return services;
}

// Draws the running scene as the frame would and tells whether any pixel is not black.
bool frameShowsSomething() {
  engine::Director* director = engine::Director::getInstance();
  const engine::Size size = director->getWinSize();
  const int width = static_cast<int>(size.width);
  const int height = static_cast<int>(size.height);
  glClear(GL_COLOR_BUFFER_BIT);
  director->getRunningScene()->visit(director->getRenderer(), engine::Mat4::IDENTITY,
                                     engine::FLAGS_TRANSFORM_DIRTY);
  director->getRenderer()->render();
  std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  for (size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i] > 40 || pixels[i + 1] > 40 || pixels[i + 2] > 40) return true;
  }
  return false;
}

int runWith(const std::string& word) {
  testsupport::Argv args({"rubblemoor", word});
  return runGame(args.argc(), args.argv(), realServices());
}

class GameRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kel::resetSettings();
    resetContentDatabase();
  }
  void TearDown() override {
    kel::resetSettings();
    resetContentDatabase();
  }
  testsupport::ScopedDataHome home;
};

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

class RunningGame : public GameServices {
 public:
  bool hasRunningGame() const override { return true; }
  bool hasCurrentLogic() const override { return true; }
  bool hasLocalPlayer() const override { return true; }
  void clearLocalPlayer() override {}
  void clearStatistics() override {}
  void rebuildCollections() override {}
  void stopLocalPlayerMoving() override {}
  void installGameTables() override {}
};

class CountingSaves : public SaveServices {
 public:
  void saveWorld() override { ++worlds; }
  void saveCharacter() override { ++characters; }
  int worlds = 0;
  int characters = 0;
};

TEST_F(GameRunTest, ClosingTheWindowSavesTheRunningGame) {
  RunningGame game;
  CountingSaves saves;
  const engine::Seam<GameServices, NullGameServices>::Scoped useGame(gameServicesSeam(), game);
  const engine::Seam<SaveServices, NullSaveServices>::Scoped useSaves(saveServicesSeam(), saves);
  everyFrame([&](int frame) {
    if (frame == 1) pinLoadedLibraries();
    // The player closes the window: the loop ends without anyone calling quit.
    if (frame == 5) glfwSetWindowShouldClose(engine::GLView::current()->getWindow(), GLFW_TRUE);
    EXPECT_EQ(saves.worlds, 0);
  });
  EXPECT_EQ(runWith("-windowed"), 0);
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
