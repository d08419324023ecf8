// The live count of the particles stops at the limit and never goes below zero.

#include <gtest/gtest.h>

#include "entities/particles/debris_count.h"

namespace {

TEST(DebrisCount, TheLiveCountStopsAtTheLimitAndNeverGoesBelowZero) {
  DebrisCount count;
  for (uint32_t i = 0; i < DebrisCount::kLiveLimit - 1; ++i) count.countBorn();
  EXPECT_FALSE(count.full());
  count.countBorn();
  EXPECT_TRUE(count.full());
  DebrisCount empty;
  empty.countGone();
  EXPECT_EQ(empty.live(), 0u);
}

}  // namespace
