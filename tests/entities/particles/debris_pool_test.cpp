// The particle pool: slots are reused last freed first, blocks are carved only when the free list
// is empty, and the live count follows construction and destruction.

#include <gtest/gtest.h>

#include <vector>

#include "entities/particles/debris_pool.h"

namespace {

TEST(DebrisPool, TheLastFreedSlotIsTheFirstReused) {
  DebrisPool pool;
  void* a = pool.allocate(100);
  void* b = pool.allocate(100);
  void* c = pool.allocate(100);
  pool.release(a);
  pool.release(c);
  EXPECT_EQ(pool.allocate(100), c);
  EXPECT_EQ(pool.allocate(100), a);
  EXPECT_NE(pool.allocate(100), b);
}

TEST(DebrisPool, OneBlockHolds127SlotsAndTheNextOneIsCarvedOnlyWhenNeeded) {
  DebrisPool pool;
  std::vector<void*> slots;
  for (size_t i = 0; i < DebrisPool::kSlotsPerBlock; ++i) slots.push_back(pool.allocate(DebrisPool::kSlotBytes - 8));
  EXPECT_EQ(pool.blockCount(), 1u);
  // Slots of one block do not overlap.
  for (size_t i = 1; i < slots.size(); ++i) {
    EXPECT_EQ(static_cast<char*>(slots[i]) - static_cast<char*>(slots[i - 1]), 160);
  }
  pool.release(slots[5]);
  EXPECT_EQ(pool.allocate(10), slots[5]);
  EXPECT_EQ(pool.blockCount(), 1u);
  pool.allocate(10);
  EXPECT_EQ(pool.blockCount(), 2u);
}

TEST(DebrisPool, ARequestLargerThanASlotIsRefused) {
  DebrisPool pool;
  EXPECT_THROW(pool.allocate(DebrisPool::kSlotBytes + 1), std::bad_alloc);
}

TEST(DebrisPool, TheLiveCountStopsAtTheLimitAndNeverGoesBelowZero) {
  DebrisPool pool;
  for (uint32_t i = 0; i < DebrisPool::kLiveLimit - 1; ++i) pool.countBorn();
  EXPECT_FALSE(pool.full());
  pool.countBorn();
  EXPECT_TRUE(pool.full());
  DebrisPool empty;
  empty.countGone();
  EXPECT_EQ(empty.live(), 0u);
}

}  // namespace
