// The frame-time log a script reads from outside the game: a line a frame with its start, wall
// time and CPU time.
#include "engine/app/frame_time_log.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

void spin(std::chrono::milliseconds forAtLeast) {
  const auto until = std::chrono::steady_clock::now() + forAtLeast;
  while (std::chrono::steady_clock::now() < until) {
  }
}

TEST(FrameTimeLog, WritesEachFramesStartWallAndCpuTime) {
  testsupport::TempDir dir;
  const std::string path = (dir.path() / "frames.log").string();
  setenv("RUBBLE_FRAME_LOG", path.c_str(), 1);
  const double before = static_cast<double>(std::time(nullptr));
  {
    engine::FrameTimeLog log;
    for (int frame = 0; frame < 2; ++frame) {
      log.beginFrame();
      spin(std::chrono::milliseconds(5));
      log.endFrame();
    }
  }
  unsetenv("RUBBLE_FRAME_LOG");
  std::ifstream in(path);
  std::vector<double> starts;
  double start = 0, wall = 0, cpu = 0;
  while (in >> start >> wall >> cpu) {
    starts.push_back(start);
    EXPECT_GE(wall, 5.0);
    EXPECT_GT(cpu, 0.0) << "the frame's own thread spun";
    EXPECT_LE(cpu, wall + 1.0);
  }
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_GE(starts[0], before - 1.0);
  EXPECT_LE(starts[0], starts[1]);
}

}  // namespace
