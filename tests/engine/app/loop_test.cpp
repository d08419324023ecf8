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
#include "tests/support/frame_clock_probe.h"

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

class StepScene : public InnerNode {
 public:
  void update(float dt) override { steps.push_back(dt); }
  std::vector<float> steps;
};

// An application whose window is a counter and whose clock is fake.
class TestApp : public Application {
 public:
  explicit TestApp(FakeClock* clock) : clock_(clock) { FrameClockProbe::use(*this, clock); }

  bool applicationDidFinishLaunching(int, char**) override {
    if (!launchSucceeds) return false;
    Director* director = Director::getInstance();
    FrameClockProbe::use(*director, clock_);
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
  // The first frame came right after startAnimation: a zero step, which still clears the pool.
  EXPECT_EQ(app_.launchLeftover->getReferenceCount(), 1u);
  EXPECT_NEAR(app_.scene->steps.at(0), 1.0f / 60.0f, 1e-6f);
}

TEST_F(LoopTest, AFailedLaunchOrNoWindowRunsNoFrames) {
  app_.launchSucceeds = false;
  EXPECT_EQ(app_.run(0, nullptr), 1);
  app_.launchSucceeds = true;
  app_.windowOpen = false;
  EXPECT_EQ(app_.run(0, nullptr), 0);
  EXPECT_EQ(app_.polls, 0);
}

TEST_F(LoopTest, TheDeltaTimeFollowsTheClockAndNeverGoesNegative) {
  Director* director = Director::getInstance();
  FrameClockProbe::use(*director, &clock_);
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
}

TEST(LocaleLanguage, LcAllWinsAndOddNamesFallBackToEnglish) {
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved != nullptr ? saved : "";
  setenv("LC_ALL", "pt_BR", 1);
  EXPECT_EQ(currentLocaleName(), "pt_BR");  // whatever LC_MESSAGES and LANG say
  if (saved != nullptr) setenv("LC_ALL", previous.c_str(), 1);
  else unsetenv("LC_ALL");
  EXPECT_EQ(languageNumberForCode(languageCodeFromLocale("pt_BR")), 11);
  // A language no table knows is English with its own code.
  EXPECT_EQ(languageCodeFromLocale("sv_SE.UTF-8"), "sv");
  EXPECT_EQ(languageNumberForCode("sv"), 0);
  for (const char* odd : {"", "C", "fil_PH"}) EXPECT_EQ(languageCodeFromLocale(odd), "en");
}

}  // namespace
