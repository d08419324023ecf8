#include <gtest/gtest.h>

#include "tests/world/world_recorders.h"
#include "world/cascade/break_cascade.h"
#include "world/edits/edit_kind.h"
#include "world/placement/block_tables.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

constexpr uint16_t kSapling = 720;   // stands on the block below
constexpr uint16_t kCrate = 721;     // stands on the block below and is solid
constexpr uint16_t kBracket = 722;   // attaches to a side (left or right by the ring)
constexpr uint16_t kLadder = 723;    // solid, climbable, hangs: stops a downward walk
constexpr uint16_t kFence = 143;
constexpr uint16_t kFenceEnd = 2401;
constexpr uint16_t kBench = 598;

class BreakCascadeTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineBlock(kSapling, {.flags = bits({16}), .transparency = 1});
    defineBlock(kCrate, {.flags = bits({16, 23}), .transparency = 1});
    defineBlock(kBracket, {.flags = bits({32, 46, 47}), .transparency = 1});
    defineBlock(kLadder, {.flags = bits({17, 22, 23}), .transparency = 1});
    defineBlock(kFence, {.flags = bits({16}), .transparency = 1});
    defineBlock(kFenceEnd, {.transparency = 1});
    defineBlock(kBench, {.flags = bits({16, 44}), .transparency = 1});
    defineBlock(kSignBlock, {.transparency = 1});
    makeWorld(WorldParams{});
  }
  // Breaks the block at (x, y): the layer goes with its drops, then its dependants follow.
  void mine(int32_t x, int32_t y) {
    const uint16_t word = at(x, y).front;
    BlockEdit remove = edit(ek::kRemoveLayer, x, y);
    remove.extra = 15;
    apply(remove);
    updateNeighboursAfterBlockChange(*world, at(x, y), word, nullptr);
  }
};

TEST_F(BreakCascadeTest, AColumnStandingOnTheBrokenBlockFallsApart) {
  put(5, 4, kDirt);
  put(5, 5, kSapling);
  put(5, 6, kSapling);
  put(5, 7, kSapling);
  put(5, 9, kSapling);  // a gap: not part of the column
  mine(5, 4);
  for (int y : {4, 5, 6, 7}) EXPECT_EQ(at(5, y).frontId(), 0) << y;
  EXPECT_EQ(at(5, 9).frontId(), kSapling);
  EXPECT_EQ(effects.debris.size(), 3u);
  EXPECT_EQ(effects.debris.back().count, 15u);
}

TEST_F(BreakCascadeTest, ASolidBlockStandingOnItStaysUnlessItsSolidityIsADecoration) {
  put(5, 4, kDirt);
  put(5, 5, kCrate);
  mine(5, 4);
  EXPECT_EQ(at(5, 5).frontId(), kCrate) << "solid by itself: it holds";

  put(8, 4, kDirt);
  put(8, 5, kSapling);
  at(8, 5).addDeco(kPlank, 0, MapBlock::kFront);
  mine(8, 4);
  EXPECT_EQ(at(8, 5).frontId(), kPlank) << "the solid decoration takes the block's place";
  EXPECT_FALSE(at(8, 5).hasDeco(kPlank, MapBlock::kFront));
}

TEST_F(BreakCascadeTest, HangingBlocksBelowBreakDownToALadder) {
  put(5, 10, kDirt);
  put(5, 9, kVine);
  put(5, 8, kVine);
  put(5, 7, kLadder);
  put(5, 6, kVine);
  mine(5, 10);
  EXPECT_EQ(at(5, 9).frontId(), 0);
  EXPECT_EQ(at(5, 8).frontId(), 0);
  EXPECT_EQ(at(5, 7).frontId(), kLadder);
  EXPECT_EQ(at(5, 6).frontId(), kVine);
}

TEST_F(BreakCascadeTest, AWholeColumnOfVinesIsWalkedOnceAndStopsAtTheBottomRow) {
  put(3, kHeight - 1, kDirt);
  for (int y = 0; y < kHeight - 1; ++y) put(3, y, kVine);
  mine(3, kHeight - 1);
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(at(3, y).frontId(), 0) << y;
}

TEST_F(BreakCascadeTest, ASignAboveHangsWhenBackedAndBreaksWhenNot) {
  put(5, 4, kDirt);
  put(5, 5, kSignBlock);
  at(5, 5).setLayer(kDirt, 0, MapBlock::kBack);
  mine(5, 4);
  EXPECT_EQ(at(5, 5).frontId(), kSignBlock);
  EXPECT_EQ(at(5, 5).frontVariant(), 1);

  put(8, 4, kDirt);
  put(8, 5, kSignBlock);
  mine(8, 4);
  EXPECT_EQ(at(8, 5).frontId(), 0);
}

TEST_F(BreakCascadeTest, AnAttachedBlockReattachesOrBreaks) {
  put(4, 5, kDirt);
  put(6, 5, kDirt);
  put(5, 5, kBracket);
  at(5, 5).setBlockState(0);
  mine(6, 5);
  EXPECT_EQ(at(5, 5).frontId(), kBracket) << "the left wall still holds it";
  mine(4, 5);
  EXPECT_EQ(at(5, 5).frontId(), 0);
}

TEST_F(BreakCascadeTest, FurnitureOnTheBrokenBlockDisconnectsItsNeighbours) {
  for (int x : {4, 5, 6}) put(x, 4, kDirt);
  put(4, 5, kBench, 0);
  put(5, 5, kBench, 1);
  put(6, 5, kBench, 2);
  mine(5, 4);
  EXPECT_EQ(at(5, 5).frontId(), 0);
  EXPECT_EQ(at(4, 5).frontVariant(), 3);
  EXPECT_EQ(at(6, 5).frontVariant(), 3);
}

TEST_F(BreakCascadeTest, FencesRejoinAroundARemovedFence) {
  put(5, 4, kDirt);
  put(4, 5, kFenceEnd);
  put(5, 5, kFence);
  put(6, 5, kFenceEnd);
  mine(5, 4);
  EXPECT_EQ(at(5, 5).frontId(), 0);
  EXPECT_EQ(at(4, 5).frontId(), kFence) << "neither neighbour joins now: a plain fence";
  EXPECT_EQ(at(6, 5).frontId(), kFence);
}

}  // namespace
