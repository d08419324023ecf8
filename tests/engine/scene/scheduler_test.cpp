#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/sequence.h"
#include "scene_fixture.h"

using namespace engine;

namespace {

// A scheduler of its own for the tests that need no director.
class SchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override { scheduler = new Scheduler(); }
  void TearDown() override { scheduler->release(); }

  // A timer with no delay that repeats until removed.
  void every(void* target, SchedulerCallback callback, int key = 1, float interval = 0) {
    scheduler->schedule(std::move(callback), target, interval, REPEAT_FOREVER, 0, key);
  }
  void frames(int count, float dt = 0.1f) {
    for (int i = 0; i < count; ++i) scheduler->update(dt);
  }

  Scheduler* scheduler = nullptr;
  int a = 0, b = 0;  // their addresses serve as targets
};

using SchedulerOrderTest = scenetest::SceneTest;

TEST_F(SchedulerOrderTest, OnePassRunsActionsThenPerFrameThenTimersThenRemovalsThenHandOvers) {
  std::vector<std::string> order;
  Scheduler* scheduler = director()->getScheduler();
  int perFrameTarget = 0, timerTarget = 0;
  // The action calls back every frame: a zero-length delay then a callback, repeated.
  auto* callback = CallFunc::create([&] { order.push_back("action"); });
  director()->getActionManager()->addAction(
      RepeatForever::create(Sequence::createWithTwoActions(DelayTime::create(0), callback)),
      InnerNode::create());
  scheduler->schedule(
      [&](float) {
        // The entry unscheduled just before is still listed, as removals come after the timers:
        // reviving it keeps its first callback, and "replacement" never runs.
        order.push_back("timer");
        scheduler->schedulePerFrame([&](float) { order.push_back("replacement"); },
                                    &perFrameTarget, false);
      },
      &timerTarget, 0.0f, REPEAT_FOREVER, 0.0f, 1);
  scheduler->update(0.1f);  // the timer and the action only start on their first pass
  ASSERT_TRUE(order.empty());

  scheduler->schedulePerFrame(
      [&](float) {
        order.push_back("per-frame");
        scheduler->unscheduleUpdate(&perFrameTarget);  // deferred: the pass is running
      },
      &perFrameTarget, false);
  scheduler->performFunctionInMainThread([&] {
    order.push_back("hand-over");
    scheduler->performFunctionInMainThread([&] { order.push_back("next-frame hand-over"); });
  });
  scheduler->update(0.1f);
  scheduler->update(0.1f);
  EXPECT_EQ(order, (std::vector<std::string>{"action", "per-frame", "timer", "hand-over", "action",
                                             "per-frame", "timer", "next-frame hand-over"}));
}

TEST_F(SchedulerTest, TimerStartsOnItsFirstPassAndReceivesTheAccumulatedTime) {
  std::vector<float> fired;
  every(&a, [&](float elapsed) { fired.push_back(elapsed); }, 7, 1.0f);
  const float frame = 1.0f / 60.0f;
  int count = 0;
  scheduler->update(frame);  // starting pass: not counted
  for (; fired.empty() && count < 200; ++count) scheduler->update(frame);
  // Sixty f32 sixtieths fall just short of a second, so the 61st frame fires, handed ~1.0167.
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(count, 61);
  EXPECT_NEAR(fired[0], 61.0f / 60.0f, 1e-4);
  scheduler->update(frame);
  EXPECT_EQ(fired.size(), 1u);  // counting restarted at zero
}

// A delayed timer with repeats fires first after its delay, carrying the time past it into the
// first interval, then every interval until its repeats run out; scheduling its key again takes
// the new interval without restarting the count.
TEST_F(SchedulerTest, ADelayedTimerCarriesTheTimePastItsDelayAndTakesANewInterval) {
  std::vector<float> fired;
  scheduler->schedule([&](float elapsed) { fired.push_back(elapsed); }, &a, 0.3f, 2, 0.25f, 4);
  scheduler->update(0.1f);  // starting pass: not counted
  frames(3);                // 0.3 s: past the delay by 0.05
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_NEAR(fired[0], 0.3f, 1e-5);
  frames(2);  // 0.05 + 0.2 of the interval's 0.3
  EXPECT_EQ(fired.size(), 1u);
  scheduler->schedule([](float) { ADD_FAILURE() << "the callback stays the first one"; }, &a, 0.2f,
                      REPEAT_FOREVER, 0.0f, 4);
  frames(1);  // 0.35 against the new 0.2
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_NEAR(fired[1], 0.35f, 1e-5);
  frames(2);  // the third and last run
  ASSERT_EQ(fired.size(), 3u);
  EXPECT_NEAR(fired[2], 0.2f, 1e-5);
  EXPECT_FALSE(scheduler->isScheduled(4, &a));
}

// A target's one timer is advanced without the walk while it is not due: it keeps the same time,
// fires on the same frames with the same elapsed time as a timer walked beside another, and stays
// still while its target is paused.
TEST_F(SchedulerTest, ALoneTimerCountsAndFiresAsAWalkedOneDoes) {
  std::vector<float> lone;
  std::vector<float> walked;
  int c = 0;
  every(&a, [&](float elapsed) { lone.push_back(elapsed); }, 1, 0.25f);
  every(&b, [&](float elapsed) { walked.push_back(elapsed); }, 1, 0.25f);
  every(&b, [](float) {}, 2, 10.0f);
  every(&c, [](float) {}, 1, 0.5f);
  frames(40, 1.0f / 60.0f);
  EXPECT_EQ(lone.size(), 2u);  // every fifteen or sixteen frames after the starting one
  EXPECT_EQ(lone, walked);
  const size_t before = lone.size();

  scheduler->setTargetPaused(&a, true);
  scheduler->setTargetPaused(&b, true);
  frames(40, 1.0f / 60.0f);
  EXPECT_EQ(lone.size(), before);
  scheduler->setTargetPaused(&a, false);
  scheduler->setTargetPaused(&b, false);
  frames(20, 1.0f / 60.0f);
  EXPECT_EQ(lone, walked);
  EXPECT_EQ(lone.size(), before + 1);
}

// A target's one timer is stepped apart from the walk; everything that makes a timer quiet (its
// start, its delay passing) or a target lone (its count, its pause) changes while timers run, and
// the lone timer must fire on the same frames, with the same time, as a timer walked beside
// another does.
class LoneTimerTest : public SchedulerTest {
 protected:
  // Schedules the same timer on `a` alone and on `b` beside a second timer that never fires.
  void twins(float interval, uint32_t repeat, float delay) {
    scheduler->schedule([this](float elapsed) { lone.push_back(elapsed); }, &a, interval, repeat,
                        delay, 1);
    scheduler->schedule([this](float elapsed) { walked.push_back(elapsed); }, &b, interval, repeat,
                        delay, 1);
    every(&b, [](float) {}, 2, 1000.0f);
  }
  void pauseBoth(bool paused) {
    scheduler->setTargetPaused(&a, paused);
    scheduler->setTargetPaused(&b, paused);
  }
  std::vector<float> lone, walked;
};

TEST_F(LoneTimerTest, ADelayedTimerFiresAsAWalkedOneOnceItsDelayHasPassed) {
  twins(0.3f, REPEAT_FOREVER, 0.25f);
  frames(1);  // starting pass
  frames(3);  // 0.3: past the delay, handed 0.3, and 0.05 carried into the interval
  ASSERT_EQ(lone.size(), 1u);
  EXPECT_NEAR(lone[0], 0.3f, 1e-5);
  frames(3);  // 0.35 against 0.3
  ASSERT_EQ(lone.size(), 2u);
  EXPECT_NEAR(lone[1], 0.35f, 1e-5);
  frames(20);
  EXPECT_EQ(lone.size(), 8u);  // then every third frame
  EXPECT_EQ(lone, walked);     // the very same floats
}

TEST_F(LoneTimerTest, APausedLoneTimerStaysStillAndCountsOnWhereItStoppedOnceResumed) {
  twins(0.25f, REPEAT_FOREVER, 0.0f);
  frames(1);
  frames(2);  // 0.2 of 0.25
  pauseBoth(true);
  frames(10);
  EXPECT_TRUE(lone.empty());
  pauseBoth(false);
  frames(1);  // 0.3: the paused frames did not count
  ASSERT_EQ(lone.size(), 1u);
  EXPECT_NEAR(lone[0], 0.3f, 1e-5);
  frames(17, 1.0f / 60.0f);
  EXPECT_EQ(lone, walked);
}

TEST_F(LoneTimerTest, ATimerThatRunsOutOfRepeatsIsGoneAsAWalkedOneIs) {
  twins(0.2f, 2, 0.0f);
  frames(12);
  EXPECT_EQ(lone.size(), 3u);
  EXPECT_EQ(lone, walked);
  EXPECT_FALSE(scheduler->isScheduled(1, &a));
  EXPECT_EQ(scheduler->getTimerCount(&a), 0u);
}

TEST_F(LoneTimerTest, ACallbackThatChangesItsOwnIntervalIsTimedByTheNewOne) {
  std::vector<float> fired;
  every(&a, [&](float elapsed) {
    fired.push_back(elapsed);
    every(&a, [](float) { ADD_FAILURE() << "the first callback stays"; }, 1, 0.45f);
  }, 1, 0.15f);
  frames(1);
  frames(2);  // 0.2 against 0.15
  ASSERT_EQ(fired.size(), 1u);
  frames(4);  // 0.4 against the new 0.45
  EXPECT_EQ(fired.size(), 1u);
  frames(1);
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_NEAR(fired[1], 0.5f, 1e-5);
}

TEST_F(LoneTimerTest, ALoneTimerThatUnschedulesItselfRunsOnceAndItsTargetIsGone) {
  int runs = 0;
  every(&a, [&](float) {
    ++runs;
    scheduler->unschedule(1, &a);
    EXPECT_FALSE(scheduler->isScheduled(1, &a));  // out of the chain at once, though still running
  });
  frames(4);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(scheduler->isScheduled(1, &a));
  EXPECT_EQ(scheduler->getTimerCount(&a), 0u);
  every(&a, [&](float) { ++runs; });  // the target comes back as a new one
  frames(2);
  EXPECT_EQ(runs, 2);
}

// Removing another target's lone timer from a callback: one walked later in the pass never runs,
// one walked earlier has run this pass and runs no more.
TEST_F(LoneTimerTest, ALoneTimerUnscheduledByAnotherCallbackRunsNoMore) {
  int c = 0;
  std::vector<int> runs(3, 0);
  void* targets[] = {&a, &b, &c};
  for (int i = 0; i < 3; ++i) every(targets[i], [&runs, i](float) { ++runs[i]; });
  frames(1);
  bool done = false;
  every(&b, [&](float) {
    if (done) return;
    done = true;
    scheduler->unschedule(1, &a);
    scheduler->unschedule(1, &c);
  }, 2);  // b is no longer lone; a and c are
  frames(1);  // starts b's second timer
  frames(3);
  EXPECT_EQ(runs, (std::vector<int>{2, 4, 1}));
  EXPECT_EQ(scheduler->getTimerCount(&a), 0u);
  EXPECT_EQ(scheduler->getTimerCount(&c), 0u);
}

TEST_F(LoneTimerTest, ASecondTimerScheduledByALoneTimerStartsInTheSamePass) {
  std::vector<std::string> order;
  bool added = false;
  every(&a, [&](float) {
    order.push_back("first");
    if (added) return;
    added = true;
    every(&a, [&](float) { order.push_back("second"); }, 2);
  });
  frames(1);  // starts the first
  frames(1);  // the first runs and adds the second, which this pass only starts
  EXPECT_EQ(order, (std::vector<std::string>{"first"}));
  EXPECT_EQ(scheduler->getTimerCount(&a), 2u);
  frames(1);
  EXPECT_EQ(order, (std::vector<std::string>{"first", "first", "second"}));
}

TEST_F(LoneTimerTest, ALoneTimerThatPausesItsTargetRunsNoMoreUntilResumed) {
  int runs = 0;
  every(&a, [&](float) {
    ++runs;
    scheduler->setTargetPaused(&a, true);
  });
  frames(5);
  EXPECT_EQ(runs, 1);
  scheduler->setTargetPaused(&a, false);
  frames(2);
  EXPECT_EQ(runs, 2);
}

TEST_F(SchedulerTest, TimerThatUnschedulesItselfOrItsTargetFinishesItsRunAndIsGone) {
  int runs = 0, laterRuns = 0;
  every(&a, [&](float) {
    ++runs;
    scheduler->unschedule(1, &a);
    EXPECT_FALSE(scheduler->isScheduled(1, &a));  // out of the chain at once, though still running
  });
  every(&a, [&](float) { ++laterRuns; }, 2);
  frames(3);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(laterRuns, 2);
  EXPECT_FALSE(scheduler->isScheduled(1, &a));
  EXPECT_TRUE(scheduler->isScheduled(2, &a));

  // Unscheduling the whole current target skips its remaining timers.
  int first = 0, second = 0;
  every(&b, [&](float) { ++first; scheduler->unscheduleAllForTarget(&b); });
  every(&b, [&](float) { ++second; }, 2);
  frames(2);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(scheduler->getTimerCount(&b), 0u);
}

TEST_F(SchedulerTest, TargetsRemovedBetweenAndDuringPassesLeaveEveryOtherTargetRunningOnce) {
  // Removing a target hands its place in the walk to another one; none may be skipped or run
  // twice, whether the removal happens outside a pass or from inside one.
  std::vector<int> targets(10), runs(10, 0);
  for (size_t i = 0; i < targets.size(); ++i) every(&targets[i], [&runs, i](float) { ++runs[i]; });
  bool removed = false;  // a target of its own removes two others from inside the pass, once
  every(&a, [&](float) {
    if (removed) return;
    removed = true;
    scheduler->unscheduleAllForTarget(&targets[0]);
    scheduler->unschedule(1, &targets[9]);
  });
  scheduler->update(0.1f);  // starts every timer
  scheduler->unscheduleAllForTarget(&targets[3]);
  scheduler->unscheduleAllForTarget(&targets[4]);
  scheduler->update(0.1f);
  const std::vector<int> afterRemovals = runs;
  frames(2);
  for (size_t i = 0; i < targets.size(); ++i) {
    const bool gone = i == 0 || i == 3 || i == 4 || i == 9;
    EXPECT_EQ(runs[i] - afterRemovals[i], gone ? 0 : 2) << "target " << i;
    EXPECT_EQ(scheduler->getTimerCount(&targets[i]), gone ? 0u : 1u) << "target " << i;
  }
}

TEST_F(SchedulerTest, CallbacksMayAddTargetsWhileThePassRuns) {
  // Many new targets force the table to grow in the middle of the walk.
  std::vector<int> targets(200);
  int runs = 0;
  scheduler->schedule(
      [&](float) {
        for (int& t : targets) scheduler->schedule([&](float) { ++runs; }, &t, 0, 0, 0, 1);
      },
      &a, 0, 0, 0, 1);
  frames(5);
  EXPECT_EQ(runs, 200);  // each once (repeat 0), whatever pass first reached it
}

TEST_F(SchedulerTest, ATargetEmptiedAndRefilledDuringThePassStartsAfreshUnpaused) {
  int stale = 0, fresh = 0;
  every(&b, [&](float) { ++stale; });
  scheduler->setTargetPaused(&b, true);
  scheduler->schedule(
      [&](float) {
        scheduler->unscheduleAllForTarget(&b);
        every(&b, [&](float) { ++fresh; }, 2);
      },
      &a, 0, 0, 0, 1);
  frames(4);
  EXPECT_EQ(stale, 0);
  EXPECT_GE(fresh, 1);  // and so unpaused
}

TEST_F(SchedulerTest, ATimerThatRestartsItsOwnKeyFromItsCallbackRunsTheNewTimerFromThen) {
  // A task that starts itself over under its own key: the old timer goes, the new one stays and
  // runs its own callback, whether the target has one timer or more behind the running one.
  for (const bool withAnother : {false, true}) {
    int oldRuns = 0, newRuns = 0, otherRuns = 0;
    every(&a, [&](float) {
      ++oldRuns;
      scheduler->unschedule(1, &a);
      every(&a, [&](float) { ++newRuns; }, 1, 0.25f);
    });
    if (withAnother) every(&a, [&](float) { ++otherRuns; }, 2);
    frames(2);  // starts them; the first runs and restarts its key
    EXPECT_EQ(oldRuns, 1);
    EXPECT_TRUE(scheduler->isScheduled(1, &a));
    EXPECT_EQ(scheduler->getTimerCount(&a), withAnother ? 2u : 1u);
    frames(6);
    EXPECT_EQ(oldRuns, 1);
    EXPECT_EQ(newRuns, 2);  // started in the pass that made it, then every 0.3 s
    EXPECT_EQ(otherRuns, withAnother ? 7 : 0);
    scheduler->unscheduleAllForTarget(&a);
  }
}

TEST_F(SchedulerTest, ATargetClearedFromItsOwnCallbackKeepsTheTimersScheduledAfterTheClear) {
  // A game going to bed stops every task of its world and then starts the clock under the key of
  // a task it just stopped: the new timers must run, the old ones never again.
  int oldRuns = 0, replacedRuns = 0, freshRuns = 0;
  every(&a, [&](float) {
    ++oldRuns;
    scheduler->unscheduleAllForTarget(&a);
    every(&a, [&](float) { ++replacedRuns; }, 1);  // the running timer's own key
    every(&a, [&](float) { ++freshRuns; }, 3);
  });
  every(&a, [&](float) { ++oldRuns; }, 2);
  frames(1);  // starts both
  frames(1);  // the first runs, clears, schedules two
  EXPECT_EQ(oldRuns, 1);
  EXPECT_EQ(scheduler->getTimerCount(&a), 2u);
  frames(3);
  EXPECT_EQ(oldRuns, 1);
  EXPECT_EQ(replacedRuns, 2);  // the first frame only starts them
  EXPECT_EQ(freshRuns, 2);
}

TEST_F(SchedulerTest, ACallbackThatSchedulesManyTimersKeepsItsOwnStateAndRunsOn) {
  // The timers lie in one array that grows as timers are added: a callback that adds many while
  // it runs (moving the array under its own timer) still finishes, keeps what it captured, and
  // its timer counts on from where it was.
  std::vector<int> added(300, 0);
  std::vector<int> targets(300);
  int runs = 0;
  const std::string captured(64, 'x');  // longer than any small-buffer copy
  scheduler->schedule(
      [&, captured](float) {
        ++runs;
        EXPECT_EQ(captured.size(), 64u);
        if (runs != 1) return;
        for (size_t i = 0; i < targets.size(); ++i) every(&targets[i], [&added, i](float) { ++added[i]; });
        every(&a, [&](float) { ++added[0]; }, 2);
      },
      &a, 0.25f, 2, 0, 1);
  frames(1);  // starts the timer
  frames(3);  // 0.3 s: the first run, which adds the others
  EXPECT_EQ(runs, 1);
  frames(3);
  EXPECT_EQ(runs, 2);
  frames(3);
  EXPECT_EQ(runs, 3);  // three runs in all: repeat 2
  EXPECT_FALSE(scheduler->isScheduled(1, &a));
  EXPECT_TRUE(scheduler->isScheduled(2, &a));
  EXPECT_GT(added[299], 0);
}

TEST_F(SchedulerTest, AFreedTimerPlaceTakenByANewTimerRunsOnlyTheNewCallback) {
  int oldRuns = 0, newRuns = 0, otherRuns = 0;
  every(&a, [&](float) { ++oldRuns; }, 1);
  every(&b, [&](float) { ++otherRuns; }, 1);
  frames(2);
  scheduler->unschedule(1, &a);
  every(&b, [&](float) { ++newRuns; }, 2);  // takes the freed place, on another target
  frames(3);
  EXPECT_EQ(oldRuns, 1);
  EXPECT_EQ(newRuns, 2);  // its first frame only starts it
  EXPECT_EQ(otherRuns, 4);
  EXPECT_EQ(scheduler->getTimerCount(&a), 0u);
  EXPECT_EQ(scheduler->getTimerCount(&b), 2u);
}

}  // namespace
