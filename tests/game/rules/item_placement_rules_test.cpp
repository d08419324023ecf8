// The item placement rules: which layer a block item takes by the cell and the side asked for,
// what an attachment needs of the cell, and the seed's gene word.

#include "game/rules/entity_lists.h"
#include "game/rules/item_placement_rules.h"
#include "tests/game/game_fixture.h"
#include "world/edits/edit_kind.h"

namespace game_test {
namespace {

using world_test::kDirt;
using world_test::kGlass;

class StandingEntity final : public EntityLists {
 public:
  bool blocksPlacementIn(const MapBlock& cell) override { return cell.x == 5 && cell.y == 5; }
};

class ItemPlacementRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    placing(kBrick, kDirt);
    placing(kPane, kGlass);
    placing(kTorchItem, kTorchBlock);
    placing(placement_rule::kSeedItem, kSprout);
    world->map().mutableProps().mutableRow(kDirt).variantCount = 3;
    shape(kTorchBlock, {.flags = world_test::bits({46}), .transparency = 2});
    shape(kSprout, {.variantCount = 4, .transparency = 2});
  }
  void TearDown() override {
    setEntityLists(nullptr);
    GameTest::TearDown();
  }

  static constexpr uint16_t kBrick = 110, kPane = 111, kTorchItem = 112;
  static constexpr uint16_t kTorchBlock = 40, kSprout = 41;
};

TEST_F(ItemPlacementRulesTest, ABlockItemTakesTheLayerTheCellAndSideAllow) {
  put(3, 5, kDirt);
  at(4, 5).setLayer(kDirt, 0, MapBlock::kBack);
  const struct {
    int32_t x, y;
    uint8_t side;
    uint8_t kind, layer;
  } cases[] = {
      {2, 5, placement_rule::kSideAny, edit_kind::kSetLayerBlock, MapBlock::kBack},   // open: the back first
      {2, 5, placement_rule::kSideBack, edit_kind::kSetLayerBlock, MapBlock::kBack},
      {2, 5, placement_rule::kSideFront, edit_kind::kSetLayerBlock, MapBlock::kFront},
      {3, 5, placement_rule::kSideAny, placement_rule::kNoEdit, 0},                 // front taken
      {4, 5, placement_rule::kSideFront, edit_kind::kSetLayerBlock, MapBlock::kFront},
      {4, 5, placement_rule::kSideBack, placement_rule::kNoEdit, 0},                // back taken
      {5, 5, placement_rule::kSideAny, placement_rule::kNoEdit, 0},                 // an entity stands there
  };
  StandingEntity entity;
  setEntityLists(&entity);
  for (const auto& c : cases) {
    const BlockEdit edit = placeBlockItemRule(*world, at(c.x, c.y), c.side, Item(kBrick, 0, 1, 0, 0));
    EXPECT_EQ(edit.kind, c.kind) << c.x << " side " << int{c.side};
    if (edit.kind == placement_rule::kNoEdit) continue;
    EXPECT_EQ(edit.layer, c.layer);
    EXPECT_EQ(edit.blockId, kDirt);
    EXPECT_LT(edit.variant, 3);
  }
  EXPECT_EQ(placeBlockItemRule(*world, at(2, 5), placement_rule::kSideAny, Item(kStone, 0, 1, 0, 0)).kind,
            placement_rule::kNoEdit);
}

TEST_F(ItemPlacementRulesTest, AnAttachmentNeedsAReplaceableOrSolidFrontOrASolidBlock) {
  put(6, 5, kSprout);  // a decoration-like front block: neither replaceable nor solid
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(6, 5), Item(kTorchItem, 0, 1, 0, 0)).kind, placement_rule::kNoEdit);
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(6, 5), Item(kPane, 0, 1, 0, 0)).kind, edit_kind::kPlace);
  player->setCellCoordinates(10, 5);
  const BlockEdit right = placeAttachmentRule(*world, *player, at(12, 6), Item(kTorchItem, 0, 1, 0, 0));
  EXPECT_EQ(right.kind, edit_kind::kPlace);
  EXPECT_EQ(right.extra, 4);
  EXPECT_EQ(placeAttachmentRule(*world, *player, at(8, 6), Item(kTorchItem, 0, 1, 0, 0)).extra, 0);
}

TEST_F(ItemPlacementRulesTest, ASeedCarriesItsGeneWord) {
  const BlockEdit edit = placeAttachmentRule(*world, *player, at(12, 6), Item(placement_rule::kSeedItem, 0, 1, 0, 0xABCD1234));
  EXPECT_EQ(edit.kind, edit_kind::kPlace);
  EXPECT_EQ(edit.blockId, kSprout);
  EXPECT_EQ(edit.extra, 0x1234);
  EXPECT_EQ(edit.slot, 255);
  EXPECT_EQ(edit.state, 0);
  EXPECT_LT(edit.variant, 4);
}

}  // namespace
}  // namespace game_test
