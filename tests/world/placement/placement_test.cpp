// Where blocks and attachments may go, the message a refusal shows, and the neighbours a placed
// block joins or changes.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/world/world_recorders.h"
#include "world/edits/edit_kind.h"
#include "world/placement/block_tables.h"
#include "world/placement/edit_primitives.h"
#include "world/placement/neighbour_connect.h"
#include "world/placement/placement_checks.h"
#include "world/placement/placement_reporter.h"
#include "world/placement/switch_operations.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

constexpr uint16_t kCandle = 710;     // not in water
constexpr uint16_t kLantern = 711;    // hangs: needs the cell above
constexpr uint16_t kFlower = 712;     // needs support below
constexpr uint16_t kSticker = 713;    // removable attachment
constexpr uint16_t kPoster = 714;     // a plain attachment
constexpr uint16_t kBench = 598;      // two-cell furniture, multi-part base of group 0
constexpr uint16_t kFence = 143;
constexpr uint16_t kFenceEnd = 2401;

using Messages = std::vector<std::pair<std::string, int>>;

class RecordingReporter final : public PlacementReporter {
 public:
  void showMessage(const std::string& text, int kind) override { messages.push_back({text, kind}); }
  bool mayLock(const MapBlock&) override { return lockAnswer; }
  Messages messages;
  bool lockAnswer = true;
};

class PlacementTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineBlock(kCandle, {.flags = bits({14}), .transparency = 1});
    defineBlock(kLantern, {.flags = bits({35}), .transparency = 1});
    defineBlock(kFlower, {.flags = bits({34}), .transparency = 1});
    defineBlock(kSticker, {.flags = bits({27}), .transparency = 2});
    defineBlock(kPoster, {.transparency = 2});
    defineBlock(kBench, {.flags = bits({44}), .transparency = 1, .variants = 4});
    defineBlock(kFence, {.transparency = 1, .variants = 2});
    defineBlock(kFenceEnd, {.transparency = 1});
    makeWorld(WorldParams{});
  }
  WorldMap& map() { return world->map(); }
  RecordingReporter reporter;
};

TEST_F(PlacementTest, LiquidsRefuseWhatCannotStandInThemWithTheirMessage) {
  at(5, 5).liquid = 0x40 | 0x07;  // water
  EXPECT_FALSE(checkLiquidPlacement(*world, at(5, 5), kCandle, &reporter));
  EXPECT_EQ(reporter.messages, (Messages{{"This object can't be placed in water.", 3}}));
  at(5, 5).liquid = 0x40;  // the kind without a level holds no liquid
  EXPECT_TRUE(checkLiquidPlacement(*world, at(5, 5), kCandle, &reporter));
}

TEST_F(PlacementTest, SolidBlocksNeedAClearFrontAndAHoldBeside) {
  put(4, 5, kDirt);
  EXPECT_TRUE(checkPlaceBlock(*world, at(5, 5), kDirt, nullptr));
  EXPECT_FALSE(checkPlaceBlock(*world, at(15, 5), kDirt, nullptr)) << "nothing beside it";
  at(5, 5).addDeco(kPlank, 0, MapBlock::kFront);
  EXPECT_FALSE(checkPlaceBlock(*world, at(5, 5), kDirt, nullptr)) << "a solid front-side decoration";
}

TEST_F(PlacementTest, SupportBelowCellAboveAndTheToggleBetweenWalls) {
  EXPECT_FALSE(checkPlaceBlock(*world, at(5, 5), kFlower, nullptr));
  put(5, 4, kGate);
  EXPECT_TRUE(checkPlaceBlock(*world, at(5, 5), kFlower, nullptr)) << "an opaque toggle holds as any opaque block";
  EXPECT_FALSE(checkPlaceBlock(*world, at(5, kHeight - 1), kLantern, nullptr)) << "no cell above";
  EXPECT_FALSE(checkPlaceBlock(*world, at(7, 5), kLantern, nullptr));
  put(7, 6, kDirt);
  EXPECT_TRUE(checkPlaceBlock(*world, at(7, 5), kLantern, nullptr));

  put(9, 5, kDirt);
  EXPECT_FALSE(checkPlaceBlock(*world, at(10, 5), kGate, nullptr));
  put(11, 5, kDirt);
  EXPECT_TRUE(checkPlaceBlock(*world, at(10, 5), kGate, nullptr));
}

TEST_F(PlacementTest, AFifthAttachmentIsRefusedButFrontStickersGiveWayAndAreReplaced) {
  put(5, 5, kDirt);
  at(5, 5).setLayer(kDirt, 0, MapBlock::kBack);
  for (int i = 0; i < 3; ++i) at(5, 5).addDeco(kPoster, 0, MapBlock::kBack);
  at(5, 5).addDeco(kSticker, 0, MapBlock::kFront);
  EXPECT_FALSE(checkAttachBlock(*world, at(5, 5), kPoster, MapBlock::kBack, nullptr));
  EXPECT_TRUE(checkAttachBlock(*world, at(5, 5), kPoster, MapBlock::kFront, nullptr));
  editAttachBlock(map(), at(5, 5), kPoster, 0, MapBlock::kFront);
  EXPECT_TRUE(at(5, 5).hasDeco(kPoster, MapBlock::kFront));
  EXPECT_FALSE(at(5, 5).hasDeco(kSticker, MapBlock::kFront));
}

TEST_F(PlacementTest, LocksGoOnContainersAsThePlayerAllows) {
  put(5, 5, 213);
  put(7, 5, kDirt);
  EXPECT_TRUE(checkAttachBlock(*world, at(5, 5), kLockBlock, MapBlock::kFront, &reporter));
  reporter.lockAnswer = false;
  EXPECT_FALSE(checkAttachBlock(*world, at(5, 5), kLockBlock, MapBlock::kFront, &reporter));
  EXPECT_FALSE(checkAttachBlock(*world, at(7, 5), kLockBlock, MapBlock::kFront, &reporter));
}

TEST_F(PlacementTest, AWallBesideAPlacedBlockKeepsALookItHas) {
  // Dirt has three looks; a fourth would be drawn as a washed-out blank and saved so.
  put(4, 5, kDirt, 2);
  put(6, 5, kDirt, 1);
  put(7, 5, kDirt, 0);
  put(9, 5, kDirt, 0);
  editSetLayerBlock(map(), at(5, 5), kDirt, 0, MapBlock::kFront);
  EXPECT_EQ(at(4, 5).frontVariant(), 2);
  EXPECT_EQ(at(6, 5).frontVariant(), 1);
  EXPECT_EQ(at(5, 5).frontVariant(), 0);
  editPlaceBlock(map(), at(8, 5), kDirt, 0);
  EXPECT_LT(at(8, 5).frontVariant(), 3) << "a placed dirt takes one of its own looks";

  // A block drawn for each way its sides are covered still takes its look from them.
  constexpr uint16_t kSidedWall = 715;
  defineBlock(kSidedWall, {.flags = bits({23}), .transparency = 0, .variants = 4});
  makeWorld(WorldParams{});
  put(4, 5, kSidedWall, 0);
  put(6, 5, kSidedWall, 0);
  editSetLayerBlock(map(), at(5, 5), kSidedWall, 0, MapBlock::kFront);
  EXPECT_EQ(at(4, 5).frontVariant(), 2) << "a wall on its right only";
  EXPECT_EQ(at(6, 5).frontVariant(), 0) << "a wall on its left only";
}

TEST_F(PlacementTest, AFenceBetweenTwoFencesJoinsThem) {
  put(4, 5, kFence);
  put(6, 5, kFence);
  EditResult r = editPlaceBlock(map(), at(5, 5), kFence, 0);
  for (const auto& [x, state] : {std::pair{4, 0}, std::pair{6, 4}}) {
    EXPECT_EQ(at(x, 5).frontId(), kFenceEnd) << x;
    EXPECT_EQ(at(x, 5).blockState(), state) << x;
  }
  EXPECT_EQ(r.bits & (refresh_bit::kLeft | refresh_bit::kRight), refresh_bit::kLeft | refresh_bit::kRight);
  editPlaceBlock(map(), at(10, 5), kFence, 0);
  put(12, 5, 352);
  editPlaceBlock(map(), at(11, 5), kFence, 0);
  EXPECT_EQ(at(11, 5).frontId(), kFence) << "a fence on the left and a stable on the right";
}

TEST_F(PlacementTest, FurnitureJoinsItsNeighboursOfTheSameGroup) {
  put(4, 5, kBench, 3);
  put(6, 5, kBench, 3);
  EditResult r{&at(5, 5), 0};
  at(5, 5).setFront(kBench, 0, 0);
  connectWithSideNeighbours(map(), at(5, 5), r);
  EXPECT_EQ(std::tuple(at(4, 5).frontVariant(), at(5, 5).frontVariant(), at(6, 5).frontVariant()), std::tuple(0, 1, 2));
}

TEST_F(PlacementTest, ASwitchSendsItsEditWithItsSound) {
  put(5, 5, kDirt, 0);
  setSwitchState(rules, rules, at(5, 5), true);
  setSwitchState(rules, rules, at(5, 5), false);  // still variant 0 in the world: nothing
  ASSERT_EQ(rules.edits.size(), 1u);
  EXPECT_EQ(rules.edits[0].kind, ek::kReplace);
  EXPECT_EQ(rules.edits[0].variant, 1);
  EXPECT_EQ(rules.sounds.at(0).id, 19);
}

}  // namespace
