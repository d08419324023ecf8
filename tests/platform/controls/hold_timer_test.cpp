#include "platform/controls/hold_timer.h"

#include <gtest/gtest.h>

#include "engine/scene/scheduler.h"
#include "tests/platform/controls/controls_test_support.h"

namespace {

using kel::HoldTimer;

class HoldTimerTest : public testing::Test, public controlstest::DispatcherFixture {
 protected:
  void frames(int n, float dt) {
    for (int i = 0; i < n; ++i) engine::Director::getInstance()->getScheduler()->update(dt);
  }
  static HoldTimer::Action count(int& into) { return [&into] { ++into; }; }
  HoldTimer timer;
  int runs = 0;
};

TEST_F(HoldTimerTest, RepeatsAtItsIntervalAfterTheDelayUntilItsInputComesUp) {
  ASSERT_TRUE(timer.hold(24, count(runs), 0.1f, 0.3f));
  frames(7, 0.05f);  // 0.35 s: the first repeat is due at 0.4 s
  EXPECT_EQ(runs, 0);
  frames(1, 0.05f);
  EXPECT_EQ(runs, 1);
  frames(1, 0.35f);  // a long frame catches up on every interval it spans
  EXPECT_EQ(runs, 4);
  EXPECT_TRUE(timer.release(24));
  frames(3, 1.0f);
  EXPECT_EQ(runs, 4);
}

TEST_F(HoldTimerTest, ANewPressTakesOverAndWhatCouldNeverRunOrStopIsRefused) {
  int other = 0;
  ASSERT_TRUE(timer.hold(10, count(runs), 0.25f, 0.0f));
  ASSERT_TRUE(timer.hold(20, count(other), 0.5f, 0.0f));
  EXPECT_FALSE(timer.release(10));  // the first key comes up late: the second goes on
  EXPECT_FALSE(timer.hold(6, count(runs), 0.0f, 0.0f));
  frames(1, 0.5f);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(other, 1);
}

}  // namespace
