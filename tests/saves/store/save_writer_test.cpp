// The save worker: writes run one after the other off the main thread, and each completion runs
// once on the thread that waits for it, in the order the writes were started.
#include "saves/store/save_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

class Log {
 public:
  void add(const std::string& line) {
    const std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
  }
  std::vector<std::string> lines() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
};

TEST(SaveWriter, ASecondWriteWaitsForTheFirstAndEachCompletionRunsOnceInOrder) {
  Log log;
  const std::thread::id main = std::this_thread::get_id();
  SaveWriter writer;
  writer.start(
      [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        log.add(std::this_thread::get_id() != main ? "first written off the main thread" : "first on main");
        return true;
      },
      [&](bool written) { log.add(written ? "first done" : "first failed"); });
  writer.start([&] { log.add("second written"); return false; },
               [&](bool written) { log.add(written ? "second done" : "second failed"); });
  const std::vector<std::string> afterStart = log.lines();
  ASSERT_FALSE(afterStart.empty());
  EXPECT_EQ(afterStart.front(), "first written off the main thread");
  const auto has = [](const std::vector<std::string>& lines, const char* line) {
    return std::count(lines.begin(), lines.end(), line);
  };
  EXPECT_EQ(has(afterStart, "first done"), 1) << "the first's completion comes with the start of the second";
  EXPECT_EQ(has(afterStart, "second failed"), 0) << "the second's waits for the wait";
  writer.wait();
  writer.wait();
  const std::vector<std::string> all = log.lines();
  EXPECT_EQ(all.size(), 4u);
  EXPECT_EQ(has(all, "second written"), 1);
  EXPECT_EQ(all.back(), "second failed");
}

TEST(SaveWriter, WaitingForTheWorkerLeavesTheCompletionOwedUntilTheWaitOrTheEnd) {
  int completions = 0;
  {
    SaveWriter writer;
    writer.start([] { return true; }, [&](bool) { ++completions; });
    writer.waitForWorker();
    EXPECT_EQ(completions, 0);
    writer.wait();
    EXPECT_EQ(completions, 1);
    writer.start([] { return true; }, [&](bool) { ++completions; });
  }
  EXPECT_EQ(completions, 2) << "destroying the writer waits for its write";
}

}  // namespace
