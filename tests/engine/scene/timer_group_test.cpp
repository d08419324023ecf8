// An owner's tasks against a small model of their one rule: a task is scheduled under its key from
// the call that adds it until it is unscheduled or its last run begins. Seeded random sequences of
// schedule, once, unschedule and frames, the tasks' own callbacks doing the same, run on the
// scheduler and on the model, which must fire the same callbacks with the same times and agree on
// what is scheduled after every step.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/scene/scheduler.h"
#include "engine/scene/timer_group.h"

using namespace engine;

namespace {

using FireSink = std::function<void(int key, uint32_t callback, float elapsed)>;

// The tasks of one owner on a scheduler of their own.
class RealTasks {
 public:
  RealTasks() : group_([this] { return scheduler_; }) {}
  ~RealTasks() { scheduler_->release(); }  // the group, destroyed after, holds its own reference

  void schedule(int key, float interval, uint32_t callback) {
    group_.schedule(key, interval, [this, key, callback](float elapsed) { onFire(key, callback, elapsed); });
  }
  void once(int key, float delay, uint32_t callback) {
    group_.scheduleOnce(key, delay, [this, key, callback](float elapsed) { onFire(key, callback, elapsed); });
  }
  void unschedule(int key) { group_.unschedule(key); }
  bool isScheduled(int key) const { return group_.isScheduled(key); }
  void tick(float dt) { scheduler_->update(dt); }

  FireSink onFire;

 private:
  Scheduler* scheduler_ = new Scheduler();
  TimerGroup group_;
};

// The same tasks as a list in scheduling order, walked in order each frame; a task added during
// the walk is walked in it (its first step only starts its clock, as every new task's does).
class ModelTasks {
 public:
  void schedule(int key, float interval, uint32_t callback) {
    Task* task = find(key);
    if (task == nullptr) {
      tasks_.push_back({key, callback, true, interval, 0.0f, -1.0f, false});
    } else if (task->forever) {
      task->interval = interval;  // counts on towards its next run
    } else {
      *task = {key, task->callback, false, interval, 0.0f, -1.0f, false};  // once, from now
    }
  }
  void once(int key, float delay, uint32_t callback) {
    Task* task = find(key);
    if (task == nullptr) {
      tasks_.push_back({key, callback, false, 0.0f, delay, -1.0f, delay > 0.0f});
    } else if (task->forever) {
      task->interval = 0.0f;  // a repeating task takes only the interval
    } else {
      ++pendingOnceRetimed;
      *task = {key, task->callback, false, 0.0f, delay, -1.0f, delay > 0.0f};
    }
  }
  void unschedule(int key) {
    for (size_t i = 0; i < tasks_.size(); ++i) {
      if (tasks_[i].key == key) return erase(i);
    }
  }
  bool isScheduled(int key) const {
    for (const Task& task : tasks_) {
      if (task.key == key) return true;
    }
    return false;
  }
  void tick(float dt) {
    for (next_ = 0; next_ < tasks_.size();) {
      const size_t at = next_++;
      Task& task = tasks_[at];
      if (task.elapsed == -1.0f) {
        task.elapsed = 0.0f;
        continue;
      }
      float fired = 0.0f;
      if (!step(task, dt, fired)) continue;
      const Task ran = task;
      if (!ran.forever) erase(at);  // its last run: the key is free while the callback runs
      onFire(ran.key, ran.callback, fired);
    }
  }

  FireSink onFire;
  uint32_t pendingOnceRetimed = 0;

 private:
  struct Task {
    int key;
    uint32_t callback;
    bool forever;
    float interval;
    float delay;
    float elapsed;  // -1 until the first frame starts it
    bool inDelay;
  };

  // Whether the task runs this frame, and with what time.
  static bool step(Task& task, float dt, float& fired) {
    task.elapsed += dt;
    if (task.inDelay) {
      if (task.elapsed < task.delay) return false;
      fired = task.elapsed;
      task.elapsed -= task.delay;
      task.inDelay = false;
      return true;
    }
    if (task.elapsed < task.interval) return false;
    fired = task.elapsed;
    task.elapsed = 0.0f;
    return true;
  }
  Task* find(int key) {
    for (Task& task : tasks_) {
      if (task.key == key) return &task;
    }
    return nullptr;
  }
  void erase(size_t at) {
    tasks_.erase(tasks_.begin() + static_cast<std::ptrdiff_t>(at));
    if (at < next_) --next_;
  }

  std::vector<Task> tasks_;
  size_t next_ = 0;
};

constexpr int kKeys = 4;
constexpr float kTimes[] = {0.0f, 0.25f, 0.5f, 0.75f, 1.5f};
constexpr float kFrames[] = {0.0f, 0.25f, 0.5f};

// One seeded sequence, played on either side: the draws are the same as long as the two fire
// the same callbacks in the same order, so the first difference shows in the log.
template <class Tasks>
class Script {
 public:
  Script(uint32_t seed, Tasks& tasks) : random_(seed), tasks_(tasks) {
    tasks_.onFire = [this](int key, uint32_t callback, float elapsed) { fired(key, callback, elapsed); };
  }

  std::vector<std::string> play(int steps) {
    for (frame_ = 0; frame_ < steps; ++frame_) {
      if (draw(5) < 2) {
        const float dt = kFrames[draw(3)];
        tasks_.tick(dt);
        note(said() << "frame of " << dt);
      } else {
        act(static_cast<int>(draw(kKeys)));
      }
      noteScheduled();
    }
    return log_;
  }

  uint32_t ownOnceScheduledAgain = 0;

 private:
  uint32_t draw(uint32_t count) { return static_cast<uint32_t>(random_() % count); }
  static std::ostringstream said() { return std::ostringstream(); }
  void note(const std::ostream& text) {
    log_.push_back("step " + std::to_string(frame_) + ": " + static_cast<const std::ostringstream&>(text).str());
  }

  void act(int key) {
    const uint32_t kind = draw(3);
    const float time = kTimes[draw(5)];
    if (kind == 0) {
      tasks_.schedule(key, time, nextCallback_++);
    } else if (kind == 1) {
      tasks_.once(key, time, nextCallback_++);
    } else {
      tasks_.unschedule(key);
    }
    note(said() << "act " << kind << " on " << key << " at " << time);
  }

  void fired(int key, uint32_t callback, float elapsed) {
    const bool once = !tasks_.isScheduled(key);
    note(said() << "key " << key << " ran callback " << callback << " after " << elapsed
                << (once ? " not scheduled" : " still scheduled"));
    for (uint32_t n = draw(3); n > 0; --n) {
      // Half of what a callback does is to its own key.
      const int target = draw(2) == 0 ? key : static_cast<int>(draw(kKeys));
      if (once && target == key) ++ownOnceScheduledAgain;
      act(target);
    }
  }

  void noteScheduled() {
    std::ostringstream text;
    text << "scheduled:";
    for (int key = 0; key < kKeys; ++key) text << ' ' << tasks_.isScheduled(key);
    note(text);
  }

  std::mt19937 random_;
  Tasks& tasks_;
  std::vector<std::string> log_;
  int frame_ = 0;
  uint32_t nextCallback_ = 0;
};

TEST(TimerGroupModel, RandomSequencesRunAsTheModelSaysEvenFromInsideTheCallbacks) {
  uint32_t pendingOnceRetimed = 0, ownOnceScheduledAgain = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    RealTasks real;
    ModelTasks model;
    Script<RealTasks> realScript(seed, real);
    Script<ModelTasks> modelScript(seed, model);
    const std::vector<std::string> got = realScript.play(400);
    const std::vector<std::string> expected = modelScript.play(400);
    // The first line that differs, to say where the scheduler left the rule.
    size_t line = 0;
    while (line < got.size() && line < expected.size() && got[line] == expected[line]) ++line;
    ASSERT_EQ(line, expected.size()) << "seed " << seed << ": scheduler says \""
                                     << (line < got.size() ? got[line] : "(nothing)") << "\", model says \""
                                     << expected[line] << '"';
    ASSERT_EQ(got.size(), expected.size()) << "seed " << seed;
    pendingOnceRetimed += model.pendingOnceRetimed;
    ownOnceScheduledAgain += modelScript.ownOnceScheduledAgain;
  }
  // The sequences reach both cases the rule settles.
  EXPECT_GT(pendingOnceRetimed, 20u);
  EXPECT_GT(ownOnceScheduledAgain, 20u);
}

}  // namespace
