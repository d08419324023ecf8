#include "engine/memory/lazy_copy.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Enough to be protected rather than copied at once, with ends that share pages with other memory.
constexpr size_t kBytes = (size_t{8} << 20) + 123;

std::vector<uint8_t> pattern(size_t bytes) {
  std::vector<uint8_t> made(bytes);
  for (size_t i = 0; i < bytes; ++i) made[i] = static_cast<uint8_t>(i * 7 + (i >> 12));
  return made;
}

TEST(LazyCopy, HoldsTheSourceAsItWasWhenItStartedThoughTheOwnerWritesOnAtOnce) {
  std::vector<uint8_t> source = pattern(kBytes);
  const std::vector<uint8_t> before = source;
  std::vector<uint8_t> destination(kBytes);
  std::unique_ptr<engine::LazyCopy> copy = engine::LazyCopy::start(source.data(), destination.data(), kBytes);
  // The owner writes everywhere, ends and middle, before anyone copied.
  for (size_t at : {size_t{0}, size_t{5000}, kBytes / 2, kBytes - 70000, kBytes - 1}) source[at] ^= 0xFF;
  std::thread worker([&copy] { copy->finish(); });
  for (size_t at = 0; at < kBytes; at += 4093) source[at] = 1;  // while the worker copies
  worker.join();
  EXPECT_TRUE(copy->finished());
  EXPECT_EQ(destination, before);
  EXPECT_EQ(source[kBytes - 1], static_cast<uint8_t>(before[kBytes - 1] ^ 0xFF));
  EXPECT_EQ(source[4093], 1);
}

TEST(LazyCopy, ASourceReleasedBeforeTheCopyEndedIsCopiedWholeFirst) {
  std::vector<uint8_t> source = pattern(kBytes);
  const std::vector<uint8_t> before = source;
  std::vector<uint8_t> destination(kBytes);
  std::unique_ptr<engine::LazyCopy> copy = engine::LazyCopy::start(source.data(), destination.data(), kBytes);
  engine::LazyCopy::finishCopiesOf(source.data() + 100, 10);
  EXPECT_TRUE(copy->finished());
  source.assign(kBytes, 0);  // writable again everywhere
  EXPECT_EQ(destination, before);
}

TEST(LazyCopy, AWriteRacingAWorkerThatFinishesAndDropsTheCopyGoesThrough) {
  // A save's worker finishes its copy and deletes it while the game writes on: a write that
  // faulted a moment before must be retried, not taken for a crash. Raced many times over.
  constexpr size_t kSmall = (size_t{1} << 20) + 77;
  std::vector<uint8_t> source = pattern(kSmall);
  std::vector<uint8_t> destination(kSmall);
  for (int round = 0; round < 40; ++round) {
    const std::vector<uint8_t> before = source;
    std::unique_ptr<engine::LazyCopy> copy = engine::LazyCopy::start(source.data(), destination.data(), kSmall);
    std::thread worker([&copy] { copy.reset(); });
    for (size_t at = 0; at < kSmall; at += 1024) source[at] = static_cast<uint8_t>(round);
    worker.join();
    ASSERT_EQ(destination, before) << "round " << round;
  }
}

TEST(LazyCopy, ASmallBlockIsCopiedAtOnce) {
  std::vector<uint8_t> source = pattern(4096);
  std::vector<uint8_t> destination(4096);
  std::unique_ptr<engine::LazyCopy> copy = engine::LazyCopy::start(source.data(), destination.data(), 4096);
  EXPECT_TRUE(copy->finished());
  EXPECT_EQ(destination, source);
}

TEST(LazyCopyDeathTest, AFaultOfTheProgramsOwnStillEndsIt) {
  std::vector<uint8_t> source = pattern(kBytes);
  std::vector<uint8_t> destination(kBytes);
  std::unique_ptr<engine::LazyCopy> copy = engine::LazyCopy::start(source.data(), destination.data(), kBytes);
  void* page = mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(page, MAP_FAILED);
  EXPECT_DEATH(*static_cast<volatile uint8_t*>(page) = 1, "");
  copy->finish();
  munmap(page, 4096);
}

}  // namespace
