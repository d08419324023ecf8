#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

TEST_F(BreakCascadeTest, AColumnStandingOnTheBrokenBlockFallsApartUpToAGap) {
  put(5, 4, kDirt);
  for (int y : {5, 6, 7, 9}) put(5, y, kSapling);
  mine(5, 4);
  for (int y : {4, 5, 6, 7}) EXPECT_EQ(at(5, y).frontId(), 0) << y;
  EXPECT_EQ(at(5, 9).frontId(), kSapling);
  EXPECT_EQ(effects.debris.size(), 3u);
}

// Each scene stands on or hangs from dirt at (5, 4), which is broken.
TEST_F(BreakCascadeTest, WhatDependsOnTheBrokenBlockBreaksHoldsOrReconnects) {
  struct Cell {
    int32_t x, y;
    uint16_t id;
    int variant = -1;  // not checked after
  };
  const struct {
    const char* what;
    std::vector<Cell> before, after;
  } cases[] = {
      {"a block solid by itself holds", {{5, 5, kCrate}}, {{5, 5, kCrate}}},
      {"hanging blocks below break down to a ladder",
       {{5, 3, kVine}, {5, 2, kVine}, {5, 1, kLadder}, {5, 0, kVine}},
       {{5, 3, 0}, {5, 2, 0}, {5, 1, kLadder}, {5, 0, kVine}}},
      {"furniture disconnects its neighbours",
       {{4, 4, kDirt}, {6, 4, kDirt}, {4, 5, kBench, 0}, {5, 5, kBench, 1}, {6, 5, kBench, 2}},
       {{5, 5, 0}, {4, 5, kBench, 3}, {6, 5, kBench, 3}}},
      {"neither fence end joins now: plain fences",
       {{4, 5, kFenceEnd}, {5, 5, kFence}, {6, 5, kFenceEnd}},
       {{5, 5, 0}, {4, 5, kFence}, {6, 5, kFence}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    makeWorld(WorldParams{});
    put(5, 4, kDirt);
    for (const Cell& b : c.before) put(b.x, b.y, b.id, static_cast<uint8_t>(std::max(b.variant, 0)));
    mine(5, 4);
    for (const Cell& a : c.after) {
      EXPECT_EQ(at(a.x, a.y).frontId(), a.id) << a.x << "," << a.y;
      if (a.variant >= 0) {
        EXPECT_EQ(at(a.x, a.y).frontVariant(), a.variant) << a.x << "," << a.y;
      }
    }
  }
}

TEST_F(BreakCascadeTest, AWholeColumnOfVinesIsWalkedOnceAndStopsAtTheBottomRow) {
  put(3, kHeight - 1, kDirt);
  for (int y = 0; y < kHeight - 1; ++y) put(3, y, kVine);
  mine(3, kHeight - 1);
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(at(3, y).frontId(), 0) << y;
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

}  // namespace
