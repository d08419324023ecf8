#include "engine/app/frame_time_log.h"

#include <time.h>

#include <cstdlib>

namespace engine {

namespace {

double milliseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

}  // namespace

FrameTimeLog::FrameTimeLog() {
  const char* path = std::getenv("RUBBLE_FRAME_LOG");
  if (path != nullptr && path[0] != '\0') file_ = std::fopen(path, "w");
}

FrameTimeLog::~FrameTimeLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void FrameTimeLog::beginFrame() {
  if (file_ == nullptr) return;
  startedAt_ = milliseconds(CLOCK_REALTIME) / 1e3;
  wallStart_ = milliseconds(CLOCK_MONOTONIC);
  cpuStart_ = milliseconds(CLOCK_THREAD_CPUTIME_ID);
}

void FrameTimeLog::endFrame() {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%.3f %.3f %.3f\n", startedAt_, milliseconds(CLOCK_MONOTONIC) - wallStart_,
               milliseconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart_);
  // A killed run keeps the frames it logged.
  std::fflush(file_);
}

}  // namespace engine
