// A world's timed tasks on the scheduler its context names: a task that stops every task of its
// world and starts another (going to bed does this) sees the new one run.

#include <gtest/gtest.h>

#include <memory>

#include "engine/scene/scheduler.h"
#include "tests/world/world_test_blocks.h"
#include "world/time/world_timers.h"
#include "world/world.h"

namespace {

using namespace world_test;

class WorldTimersTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    scheduler = new engine::Scheduler();
    world = World::create(nullptr, WorldParams{}, 40, 20, {.scheduler = scheduler});
  }
  void TearDown() override {
    world.reset();
    scheduler->release();
    WorldTest::TearDown();
  }
  // Whole seconds of game time, a tenth at a time.
  void run(float seconds) {
    for (float t = 0; t < seconds; t += 0.1f) scheduler->update(0.1f);
  }

  engine::Scheduler* scheduler = nullptr;
  std::unique_ptr<World> world;
};

TEST_F(WorldTimersTest, ATaskThatClearsItsWorldsTimersAndSchedulesANewOneSeesItRun) {
  WorldTimers& timers = world->timers();
  int stoppedRuns = 0, clockRuns = 0;
  timers.schedule(world_timer::kRules, 1.0f, [&](float) { ++stoppedRuns; });
  timers.schedule(world_timer::kPlayerUpdate, 0.5f, [&](float) {
    timers.unscheduleAll();
    timers.schedule(world_timer::kClock, 0.0f, [&](float) { ++clockRuns; });
  });
  run(1.0f);
  EXPECT_TRUE(timers.isScheduled(world_timer::kClock));
  EXPECT_FALSE(timers.isScheduled(world_timer::kRules));
  EXPECT_FALSE(timers.isScheduled(world_timer::kPlayerUpdate));
  run(2.0f);
  EXPECT_GT(clockRuns, 10);
  EXPECT_EQ(stoppedRuns, 0);
}

TEST_F(WorldTimersTest, TwoWorldsUnderTheSameKeyKeepTheirOwnTasks) {
  std::unique_ptr<World> other = World::create(nullptr, WorldParams{}, 40, 20, {.scheduler = scheduler});
  int mine = 0, theirs = 0;
  world->timers().schedule(world_timer::kClock, 0.0f, [&](float) { ++mine; });
  other->timers().schedule(world_timer::kClock, 0.0f, [&](float) { ++theirs; });
  other->timers().unscheduleAll();
  run(1.0f);
  EXPECT_GT(mine, 5);
  EXPECT_EQ(theirs, 0);
}

}  // namespace
