#pragma once
// The wait view's lines while a networked game waits on a world being sent (the host and the
// other clients) or on another client joining: the view is made current with the status on its
// first line and the second empty; when no newer status came within two seconds, the line reads
// the stalled text instead (none: it stays). When nothing is left to wait for, the wait view, if
// it is the current view, gives way to the main view.
//
// The wait view is the menus' (made through the interface's menu view maker); what writes its two
// lines is handed in by the application, which sees the menus.
//
// Main thread only.

#include <functional>
#include <string>

class WaitStatus {
 public:
  static constexpr float kStallSeconds = 2.0f;
  using Lines = std::function<void(const std::string& first, const std::string& second)>;

  // `lines` writes the wait view's two lines (empty: they are not written, the view still shows).
  explicit WaitStatus(Lines lines);
  // A pending stalled text goes with it.
  ~WaitStatus();
  WaitStatus(const WaitStatus&) = delete;
  WaitStatus& operator=(const WaitStatus&) = delete;

  void show(const std::string& text, const std::string& stalled);
  void end();

 private:
  void write(const std::string& first);

  Lines lines_;
};

// Runs `stalled` once after the delay under the key for `owner`; a new call for the same owner and
// key replaces the one pending, and `cancelStall` drops it.
void scheduleStall(void* owner, int key, float delay, std::function<void()> stalled);
void cancelStall(void* owner, int key);
