// The paced frame loop and the director's time steps, on a fake clock and a fake window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/app/application.h"
#include "engine/app/locale_language.h"
#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "engine/scene/frame_clock.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/timer.h"

using namespace engine;

namespace {

constexpr int64_t kMs = 1000000;

// Time moves only when the loop waits (exactly to the deadline it asks for) or a test moves it.
class FakeClock : public FrameClock {
 public:
  int64_t now() const override { return time; }
  void waitUntil(int64_t deadline) override {
    time = std::max(time, deadline);
    ++waits;
  }
  int64_t time = 1000 * kMs;
  int waits = 0;
};

// A scene that records the step of every update it gets.
class StepScene : public InnerNode {
 public:
  void update(float dt) override { steps.push_back(dt); }
  std::vector<float> steps;
};

// An application whose window is a counter and whose clock is fake.
class TestApp : public Application {
 public:
  explicit TestApp(FakeClock* clock) : clock_(clock) { setFrameClock(clock); }

  bool applicationDidFinishLaunching(int, char**) override {
    if (!launchSucceeds) return false;
    Director* director = Director::getInstance();
    director->setFrameClock(clock_);
    scene = new StepScene();  // held by the test
    director->runWithScene(scene);
    director->getScheduler()->scheduleUpdate(scene, false);
    // Made during the launch: the first frame's pool clear must free it.
    launchLeftover = Node::create();
    launchLeftover->retain();
    director->startAnimation();
    if (onLaunched) onLaunched(director);
    return true;
  }
  void applicationWillTerminate() override {}
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}

  bool hasWindow() override { return windowOpen; }
  bool windowShouldClose() override { return closeAfterPolls >= 0 && polls >= closeAfterPolls; }
  void pollEvents() override {
    ++polls;
    pollTimes.push_back(clock_->time);
  }

  FakeClock* clock_;
  bool launchSucceeds = true;
  bool windowOpen = true;
  int closeAfterPolls = -1;
  int polls = 0;
  std::vector<int64_t> pollTimes;
  StepScene* scene = nullptr;
  Node* launchLeftover = nullptr;
  std::function<void(Director*)> onLaunched;
};

class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override {
    safeRelease(app_.scene);
    safeRelease(app_.launchLeftover);
    reset();
  }
  static void reset() {
    if (Director::hasInstance()) Director::getInstance()->purgeDirector();
    PoolManager::getCurrentPool()->clear();
    InnerNode::resetOrderOfArrival();
  }

  FakeClock clock_;
  TestApp app_{&clock_};
};

TEST_F(LoopTest, FramesArePacedAndALateFrameIsNotCaughtUp) {
  app_.closeAfterPolls = 6;
  int drawn = 0;
  FakeClock* clock = &clock_;
  app_.onLaunched = [&drawn, clock](Director* director) {
    // The second drawn frame takes 100 ms.
    director->getScheduler()->schedulePerFrame(
        [&drawn, clock](float) {
          if (++drawn == 2) clock->time += 100 * kMs;
        },
        director, false);
  };
  EXPECT_EQ(app_.run(0, nullptr), 0);
  ASSERT_EQ(app_.pollTimes.size(), 6u);
  // Each frame runs a tick past the interval (strictly more than it) after the last one began,
  // after a single sleep. After the late frame exactly one frame follows at once, without
  // sleeping; the missed ones are not made up.
  const int64_t due = app_.getAnimationIntervalTicks() + 1;
  const std::vector<int64_t> gaps = {due, due + 100 * kMs, 0, due, due};
  for (size_t i = 1; i < app_.pollTimes.size(); ++i) {
    EXPECT_EQ(app_.pollTimes[i] - app_.pollTimes[i - 1], gaps[i - 1]) << "frame " << i;
  }
  EXPECT_EQ(clock_.waits, 5);
  EXPECT_FALSE(Director::hasInstance());  // closing the window purged the engine once
}

TEST_F(LoopTest, StepsAreTheClockTimeBetweenFramesAfterAZeroFirstStep) {
  app_.closeAfterPolls = 4;
  app_.run(0, nullptr);
  // The first frame came right after startAnimation: a zero step, which still clears the pool.
  EXPECT_EQ(app_.launchLeftover->getReferenceCount(), 1u);
  ASSERT_EQ(app_.scene->steps.size(), 3u);
  for (float step : app_.scene->steps) EXPECT_NEAR(step, 1.0f / 60.0f, 1e-6f);
}

TEST_F(LoopTest, QuitFromAScheduledCallbackEndsTheLoopAndPurges) {
  size_t stepsAtQuit = 0;
  TestApp* app = &app_;
  app_.onLaunched = [&stepsAtQuit, app](Director* director) {
    director->getScheduler()->schedule(
        [&stepsAtQuit, app](float) {
          stepsAtQuit = app->scene->steps.size();
          Application::getInstance()->quit();
        },
        director, 0.05f, REPEAT_FOREVER, 0.0f, 1);
  };
  EXPECT_EQ(app_.run(0, nullptr), 0);
  EXPECT_TRUE(app_.isQuitRequested());
  EXPECT_FALSE(Director::hasInstance());
  EXPECT_FALSE(app_.scene->isRunning());
  // The frame that quit is finished (its events polled), and no frame follows.
  EXPECT_GE(stepsAtQuit, 3u);
  EXPECT_EQ(app_.scene->steps.size(), stepsAtQuit);
  EXPECT_EQ(static_cast<size_t>(app_.polls), stepsAtQuit + 1);  // plus the zero-step frame
}

TEST_F(LoopTest, AFailedLaunchOrNoWindowRunsNoFramesAndPurgesNothing) {
  app_.launchSucceeds = false;
  Director::getInstance();
  EXPECT_EQ(app_.run(0, nullptr), 1);
  app_.launchSucceeds = true;
  app_.windowOpen = false;
  EXPECT_EQ(app_.run(0, nullptr), 0);
  EXPECT_EQ(app_.polls, 0);
  EXPECT_TRUE(Director::hasInstance());
}

TEST_F(LoopTest, TheDeltaTimeFollowsTheClockAndNeverGoesNegative) {
  Director* director = Director::getInstance();
  director->setFrameClock(&clock_);
  director->startAnimation();
  // The zero step after starting, a long pause that is not clamped, and a clock going back.
  const std::tuple<int64_t, float, unsigned> steps[] = {
      {0, 0.0f, 0}, {500, 0.5f, 1}, {3000, 3.0f, 2}, {-10, 0.0f, 2}};
  for (const auto& [advanceMs, delta, frames] : steps) {
    clock_.time += advanceMs * kMs;
    director->mainLoop();
    EXPECT_FLOAT_EQ(director->getDeltaTime(), delta) << advanceMs;
    EXPECT_EQ(director->getTotalFrames(), frames) << advanceMs;
  }
  clock_.time += 20 * kMs;
  director->setNextDeltaTimeZero(true);
  director->mainLoop();
  EXPECT_FLOAT_EQ(director->getDeltaTime(), 0.0f);
  EXPECT_DOUBLE_EQ(director->getTotalTime(), 2.0 * static_cast<double>(1.0f / 60.0f));
}

TEST_F(LoopTest, TheProjectionCoversTheWindowInPointsAndARequestedPurgeReplacesAFrame) {
  Director* director = Director::getInstance();
  director->designResolutionChanged(Size(800, 600));  // no view: only the numbers change
  director->setProjection();
  const Vec2 centre = director->convertToGL(Vec2(400, 300));
  const Vec2 topLeft = director->convertToGL(Vec2(0, 0));
  EXPECT_NEAR(centre.x, 400.0f, 1e-3f);
  EXPECT_NEAR(centre.y, 300.0f, 1e-3f);
  EXPECT_NEAR(topLeft.x, 0.0f, 1e-3f);
  EXPECT_NEAR(topLeft.y, 600.0f, 1e-3f);  // y grows upwards in the scene
  director->requestPurge();
  director->mainLoop();
  EXPECT_FALSE(Director::hasInstance());
}

class LanguageTest : public ::testing::Test {
 protected:
  static constexpr const char* NAMES[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  void SetUp() override {
    for (const char* name : NAMES) {
      const char* value = std::getenv(name);
      saved_.emplace_back(value != nullptr, value != nullptr ? value : "");
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < 3; ++i) {
      if (saved_[i].first) setenv(NAMES[i], saved_[i].second.c_str(), 1);
      else unsetenv(NAMES[i]);
    }
  }
  std::vector<std::pair<bool, std::string>> saved_;
};

TEST_F(LanguageTest, TheLocaleEnvironmentGivesLanguageAndCode) {
  FakeClock clock;
  TestApp app(&clock);
  // LC_ALL wins over LANG; a language no table knows is English with its own code.
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"LC_ALL", nullptr, 0, "en"}, {"LANG", "de_DE.UTF-8", 4, "de"}, {"LC_ALL", "pt_BR", 11, "pt"},
      {"LC_ALL", "sv_SE.UTF-8", 0, "sv"}, {"LC_ALL", "C", 0, "en"}};
  for (const auto& [variable, value, language, code] : cases) {
    if (value != nullptr) setenv(variable, value, 1);
    EXPECT_EQ(app.getCurrentLanguage(), language) << value;
    EXPECT_STREQ(app.getCurrentLanguageCode(), code) << value;
  }
}

TEST(LocaleLanguage, OddLocaleNamesFallBackToEnglish) {
  EXPECT_EQ(languageCodeFromLocale(nullptr), "en");
  for (const char* odd : {"", "POSIX", "x", "fil_PH"}) EXPECT_EQ(languageCodeFromLocale(odd), "en");
  EXPECT_EQ(languageCodeFromLocale("FR_fr"), "fr");
  EXPECT_EQ(languageNumberForCode("nb"), 13);
  EXPECT_EQ(languageNumberForCode("zz"), 0);
}

}  // namespace
