// Block mining's clock: how long a block takes by the held item's power, the strikes at the
// item's pace, and a block that cannot break.

#include <gtest/gtest.h>

#include "ui/views/block_mining.h"

namespace {

TEST(BlockMiningTest, TheTimeFollowsThePowerAndTheStrikesTheItemsPace) {
  EXPECT_FLOAT_EQ(BlockMining::secondsFor(1.0f), BlockMining::kSecondsAtPowerOne);
  EXPECT_LT(BlockMining::secondsFor(2.0f), BlockMining::secondsFor(1.0f)) << "a stronger tool is faster";
  EXPECT_GT(BlockMining::secondsFor(0.35f), BlockMining::secondsFor(1.0f)) << "bare hands are slow";
  EXPECT_LT(BlockMining::secondsFor(0.0f), 0.0f) << "no power breaks nothing";

  BlockMining mining;
  mining.start(3, 4, 1.0f, 0.25f);
  EXPECT_TRUE(mining.targets(3, 4));
  EXPECT_FALSE(mining.targets(4, 4));
  int strikes = 0;
  bool broken = false;
  for (int frame = 0; frame < 59; ++frame) {
    const BlockMining::Step step = mining.advance(1.0f / 60);
    strikes += step.strike ? 1 : 0;
    broken = broken || step.broken;
  }
  EXPECT_FALSE(broken);
  EXPECT_EQ(strikes, 4);
  EXPECT_NEAR(mining.progress(), 59.0f / 60, 1e-4);
  EXPECT_TRUE(mining.advance(2.0f / 60).broken);
  EXPECT_FALSE(mining.active());

  mining.start(3, 4, -1.0f, 0.25f);
  EXPECT_FALSE(mining.breakable());
  const BlockMining::Step idle = mining.advance(5.0f);
  EXPECT_FALSE(idle.broken || idle.strike) << "an unbreakable block is neither struck nor broken";
}

}  // namespace
