#pragma once
// A log of how long each frame took, written when RUBBLE_FRAME_LOG names a file: one line a
// frame, "<start, seconds since the epoch> <wall ms> <main thread CPU ms>". It lets a script
// measure the pauses a player would feel (a save, a join) from outside the running game, and
// match them with what it sees on disk. Without the variable it does nothing.

#include <cstdio>

namespace engine {

class FrameTimeLog {
 public:
  FrameTimeLog();
  FrameTimeLog(const FrameTimeLog&) = delete;
  FrameTimeLog& operator=(const FrameTimeLog&) = delete;
  ~FrameTimeLog();

  void beginFrame();
  void endFrame();

 private:
  std::FILE* file_ = nullptr;
  double startedAt_ = 0;
  double wallStart_ = 0;
  double cpuStart_ = 0;
};

}  // namespace engine
