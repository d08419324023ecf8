#pragma once
// The timed tasks of one owner (a world, a game's session, a joined game, an endpoint): its own
// target on the scheduler and its own keys, so two owners in one process never take each other's
// timers, and the owner's destruction unschedules every one of them.
//
// The tasks run on the scheduler the source names, or the director's when it names none (or there
// is no source). The scheduler is retained while it may hold this group's timers, so a group that
// outlives the director (a world kept until exit) still unschedules safely.
//
// Main thread only.

#include <functional>

namespace engine {

class Scheduler;

class TimerGroup {
 public:
  using SchedulerSource = std::function<Scheduler*()>;

  explicit TimerGroup(SchedulerSource source = {});
  ~TimerGroup();
  TimerGroup(const TimerGroup&) = delete;
  TimerGroup& operator=(const TimerGroup&) = delete;

  // A task is scheduled under its key from the call that adds it until it is unscheduled or its
  // last run begins. A task that is running its last callback (a once-task's only one) is not
  // scheduled, so that callback may schedule its own key again, as a new task.

  // Runs the callback every interval seconds (0: every frame) with the time passed, until it is
  // unscheduled; a task already scheduled under the key only takes the new interval and counts
  // on towards its next run (a once-task there runs once, the interval counted from now).
  void schedule(int key, float interval, std::function<void(float)> callback);
  // Runs the callback once, after the delay; a once-task already scheduled under the key only
  // takes the new timing: it keeps its callback and runs once, the delay counted from now.
  void scheduleOnce(int key, float delay, std::function<void(float)> callback);
  void unschedule(int key);
  bool isScheduled(int key) const;
  void unscheduleAll();

 private:
  Scheduler& scheduler();

  SchedulerSource source_;
  Scheduler* held_ = nullptr;  // retained; the scheduler this group's timers are on
};

}  // namespace engine
