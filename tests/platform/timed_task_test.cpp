#include "platform/timed_task.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "engine/base/ref.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"

using kel::TimedTask;

namespace {

class TimedTaskTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    engine::PoolManager::getCurrentPool()->clear();
  }
  static engine::Scheduler* scheduler() { return engine::Director::getInstance()->getScheduler(); }
  void frame(float dt) { scheduler()->update(dt); }

  std::vector<uint64_t> runs;  // the count seen by each run
  TimedTask::Callback record() {
    return [this](TimedTask& task) { runs.push_back(task.getCount()); };
  }
};

TEST_F(TimedTaskTest, StopFromTheCallbackEndsTheRunsAndKeepsTheCount) {
  TimedTask task;
  ASSERT_TRUE(task.start(
      [&](TimedTask& self) {
        runs.push_back(self.getCount());
        if (self.getCount() == 2) self.stop();
      },
      0.1f, 0.0f));
  frame(1.0f);  // the catch-up ends at once
  EXPECT_EQ(runs, (std::vector<uint64_t>{1, 2}));
  EXPECT_EQ(task.getCount(), 2u);
  frame(1.0f);  // a stopped task runs no more
  EXPECT_EQ(runs.size(), 2u);
}

TEST_F(TimedTaskTest, RestartingFromTheCallbackKeepsOneEntryAndStartsAfresh) {
  TimedTask task;
  std::vector<int> log;
  TimedTask::Callback second = [&](TimedTask&) { log.push_back(2); };
  ASSERT_TRUE(task.start(
      [&, captured = std::make_shared<int>(1)](TimedTask& self) {
        log.push_back(*captured);  // reads its own state after the restart below
        self.start(second, 0.5f, 0.0f);
        log.push_back(*captured);
      },
      0.1f, 0.0f));
  frame(1.0f);  // many intervals, but the restart resets elapsed: one run
  EXPECT_EQ(log, (std::vector<int>{1, 1}));
  frame(0.5f);
  EXPECT_EQ(log, (std::vector<int>{1, 1, 2}));
}

TEST_F(TimedTaskTest, RefusesAnIntervalThatIsNotAPositiveNumber) {
  TimedTask task;
  for (float interval : {0.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_FALSE(task.start(record(), interval, 0.0f)) << interval;
  }
  frame(1.0f);  // would spin forever, or throw, had it been accepted
  EXPECT_TRUE(runs.empty());
  // A refused restart leaves a running task as it was.
  ASSERT_TRUE(task.start(record(), 0.5f, 0.0f));
  EXPECT_FALSE(task.start(record(), 0.0f, 0.0f));
  frame(0.5f);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(TimedTaskTest, ADestroyedTaskLeavesNoEntryAndATaskOutlivingItsDirectorStillRuns) {
  auto task = std::make_unique<TimedTask>();
  ASSERT_TRUE(task->start(record(), 0.1f, 0.0f));
  task.reset();
  frame(1.0f);  // would tick freed memory
  EXPECT_TRUE(runs.empty());

  TimedTask survivor;
  ASSERT_TRUE(survivor.start(record(), 0.1f, 0.0f));
  engine::Director::getInstance()->purgeDirector();
  ASSERT_TRUE(survivor.start(record(), 0.1f, 0.0f));  // joins the new director's scheduler
  frame(0.1f);
  EXPECT_EQ(runs.size(), 1u);
}

}  // namespace
