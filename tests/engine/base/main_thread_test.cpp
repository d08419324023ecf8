#include <gtest/gtest.h>

#include <thread>

#include "engine/base/main_thread.h"

namespace {

TEST(MainThread, TheFirstMarkHoldsAndWorkersAreNeverMain) {
  engine::markMainThread();
  bool workerIsMain = true;
  bool stillMainAfterWorkerMarked = false;
  std::thread([&] {
    engine::markMainThread();  // too late: the launch's mark holds
    workerIsMain = engine::isMainThread();
  }).join();
  stillMainAfterWorkerMarked = engine::isMainThread();
  EXPECT_FALSE(workerIsMain);
  EXPECT_TRUE(stillMainAfterWorkerMarked);
}

}  // namespace
