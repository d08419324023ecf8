// A held block item placed where the player aims: a torch (a block that needs cover or a side wall)
// goes into a tunnel, against a back wall or beside a side wall, and lights it; it is refused in
// open air with nothing to hold it and is never set inside a solid block.

#include "content/items/block_edit.h"
#include "game/rules/block_edit_rules.h"
#include "tests/game/game_fixture.h"
#include "world/edits/edit_kind.h"
#include "world/light/light_map.h"

namespace game_test {
namespace {

using world_test::kDirt;

class HeldBlockPlacementTest : public GameTest {
 protected:
  static constexpr uint16_t kTorchBlock = 40;
  static constexpr uint16_t kTorchItem = 140;
  static constexpr uint16_t kBackWall = 41;
  static constexpr uint16_t kPlankBlock = 42;
  static constexpr uint16_t kPlankItem = 142;
  // A crafting station: neither solid nor needing cover, drawn over the cell it stands in.
  static constexpr uint16_t kBenchBlock = 43;
  static constexpr uint16_t kBenchItem = 143;

  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kTorchBlock, {.flags = bits({4, 20, 24}), .transparency = 1, .variants = 2, .light = 0x8CF});
    defineBlock(kBackWall, {.transparency = 0});
    defineBlock(kPlankBlock, {.flags = bits({23}), .transparency = 0});
    defineBlock(kBenchBlock, {.flags = bits({2, 36}), .transparency = 1});
    remakeWorld();
    placing(kTorchItem, kTorchBlock);
    placing(kPlankItem, kPlankBlock);
    placing(kBenchItem, kBenchBlock);
    floorAt(4);
    player->setCell(10, 5);
  }

  // The edit the item-use code makes of the held item aimed at the cell, checked and applied by the
  // rules as a click does; true when the cell took it.
  bool placeAt(int32_t x, int32_t y, uint16_t item) {
    Item held(item, 0, 1, 0, 0);
    const BlockEdit edit = placeHeldBlockRule(*world, *player, at(x, y), held);
    if (edit.kind == placement_rule::kNoEdit) return false;
    return rules.editBlock(edit, player.get());
  }
};

TEST_F(HeldBlockPlacementTest, ATorchInOpenAirWithNothingToHoldItIsRefused) {
  EXPECT_FALSE(placeAt(14, 5, kTorchItem));
  EXPECT_EQ(at(14, 5).frontId(), 0);
}

TEST_F(HeldBlockPlacementTest, ATorchStandsAgainstABackWallAndLightsItsCell) {
  at(14, 5).setLayer(kBackWall, 0, MapBlock::kBack);
  world->map().lightMap().relightAll();
  const uint16_t before = at(14, 5).blockLight;
  ASSERT_TRUE(placeAt(14, 5, kTorchItem));
  EXPECT_EQ(at(14, 5).frontId(), kTorchBlock);
  EXPECT_EQ(at(14, 5).frontVariant(), 0) << "standing against the wall behind it";
  EXPECT_NE(at(14, 5).blockLight, before);
  EXPECT_NE(at(15, 5).blockLight, 0) << "its light reaches the next cell";
}

TEST_F(HeldBlockPlacementTest, ATorchHangsOnTheSideWallBesideIt) {
  put(15, 5, kDirt);
  ASSERT_TRUE(placeAt(14, 5, kTorchItem));
  EXPECT_EQ(at(14, 5).frontVariant(), 1);
  EXPECT_EQ(at(14, 5).blockState(), 4) << "facing away from the wall on its right";
  put(7, 5, kDirt);
  ASSERT_TRUE(placeAt(8, 5, kTorchItem));
  EXPECT_EQ(at(8, 5).frontVariant(), 1);
  EXPECT_EQ(at(8, 5).blockState(), 0);
}

TEST_F(HeldBlockPlacementTest, ATorchIsNeverSetInsideASolidBlock) {
  put(14, 5, kDirt);
  at(14, 5).setLayer(kBackWall, 0, MapBlock::kBack);
  put(14, 6, kPlankBlock);
  EXPECT_FALSE(placeAt(14, 5, kTorchItem));
  EXPECT_FALSE(placeAt(14, 6, kTorchItem));
  EXPECT_EQ(at(14, 5).frontId(), kDirt);
  EXPECT_EQ(at(14, 6).frontId(), kPlankBlock);
  EXPECT_FALSE(at(14, 5).hasAnyDeco(MapBlock::kFront));
}

// A station aimed at the ground is refused there, the ground left whole; in the open cell above
// the floor it stands as the cell's front block.
TEST_F(HeldBlockPlacementTest, AStationGoesIntoAnOpenCellAndNeverIntoTheGround) {
  put(14, 5, kDirt);
  EXPECT_FALSE(placeAt(14, 5, kBenchItem));
  EXPECT_EQ(at(14, 5).frontId(), kDirt);
  EXPECT_FALSE(at(14, 5).hasAnyDeco(MapBlock::kFront));
  ASSERT_TRUE(placeAt(13, 5, kBenchItem));
  EXPECT_EQ(at(13, 5).frontId(), kBenchBlock);
}

TEST_F(HeldBlockPlacementTest, AnOrdinaryBlockStillFillsAnOpenCell) {
  EXPECT_TRUE(placeAt(14, 5, kPlankItem));
  EXPECT_EQ(at(14, 5).frontId(), kPlankBlock);
}

}  // namespace
}  // namespace game_test
