// The block edit rules: protection against remote players, the checks by cell contents, the
// placing player's statistic and held stack (never spent on an edit the world would refuse), and
// the held flag on the wire.

#include "content/items/block_edit.h"
#include "game/rules/block_edit_rules.h"
#include "tests/game/game_fixture.h"
#include "world/edits/edit_kind.h"
#include "world/protection/protected_areas.h"

namespace game_test {
namespace {

using world_test::kDirt;
using world_test::kGlass;

class BlockEditRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    floorAt(4);
    player->setCell(10, 5);
    shape(kReplaceable, {.flags = bits({33}), .transparency = 1});
    shape(kCircuitPart, {.flags = bits({45}), .transparency = 1});
  }
  static BlockEdit edit(uint8_t kind, int32_t x, int32_t y, uint16_t id, uint8_t layer = 0) {
    BlockEdit e;
    e.kind = kind;
    e.x = static_cast<uint16_t>(x);
    e.y = static_cast<uint16_t>(y);
    e.blockId = id;
    e.layer = layer;
    return e;
  }

  static constexpr uint16_t kReplaceable = 30;
  static constexpr uint16_t kCircuitPart = 31;
};

TEST_F(BlockEditRulesTest, PlacingALayerBlockByCellContents) {
  put(12, 6, kDirt);
  put(13, 6, kReplaceable);
  at(14, 6).circuitA = 1;
  at(15, 6).setLayer(kDirt, 0, MapBlock::kBack);
  const struct {
    int32_t x, y;
    uint16_t id;
    uint8_t layer;
    bool allowed;
  } cases[] = {
      {12, 6, kGlass, 0, false},         // taken, not replaceable
      {13, 6, kGlass, 0, true},          // replaceable
      {14, 6, kCircuitPart, 0, false},   // a circuit part already there
      {10, 5, kGlass, 0, false},         // the player's body stands there
      {10, 5, kGlass, 1, true},          // behind the player is fine
      {15, 6, kGlass, 1, false},         // back layer taken
  };
  for (const auto& c : cases) {
    EXPECT_EQ(canApplyBlockEdit(*world, rules, edit(edit_kind::kSetLayerBlock, c.x, c.y, c.id, c.layer), player.get()),
              c.allowed)
        << c.x << "," << c.y << " layer " << int{c.layer};
  }
}

TEST_F(BlockEditRulesTest, APlacedSolidBlockNeverShutsThePlayerIn) {
  // The cell the body stands in takes no solid block; the cell beside it does (each with a wall
  // beside it to hold what is set against it).
  put(9, 5, kDirt);
  put(13, 5, kDirt);
  EXPECT_FALSE(canApplyBlockEdit(*world, rules, edit(edit_kind::kPlace, 10, 5, kHay), player.get()));
  EXPECT_TRUE(canApplyBlockEdit(*world, rules, edit(edit_kind::kPlace, 12, 5, kHay), player.get()));
  // A block the body passes through may go where it stands.
  EXPECT_TRUE(canApplyBlockEdit(*world, rules, edit(edit_kind::kPlace, 10, 5, kLadder), player.get()));
}

TEST_F(BlockEditRulesTest, OnlyRemotePlayersAreKeptOutOfProtectedCells) {
  put(20, 6, ProtectedAreas::kLockBlock);
  world->protectedAreas().add(at(20, 6), 5);
  const BlockEdit place = edit(edit_kind::kSetLayerBlock, 21, 7, kGlass);
  EXPECT_TRUE(canApplyBlockEdit(*world, rules, place, player.get()));
  player->isLocal = 0;
  EXPECT_FALSE(canApplyBlockEdit(*world, rules, place, player.get()));
  ASSERT_EQ(events.texts.size(), 1u);
  EXPECT_EQ(events.texts[0].id, edit_rules::kTextProtected);
  EXPECT_TRUE(canApplyBlockEdit(*world, rules, place, nullptr));
}

TEST_F(BlockEditRulesTest, AnAcceptedPlacementCountsAndUsesUpTheHeldStack) {
  player->inventory->setSlot({SlotKind::Quick, 2, 0}, makeItem(kStone, 2));
  player->inventory->select(2);
  BlockEdit place = edit(edit_kind::kSetLayerBlock, 12, 7, kGlass);
  place.takeHeld = 1;
  EXPECT_TRUE(game.editBlock(place));
  EXPECT_EQ(at(12, 7).frontId(), kGlass);
  ASSERT_EQ(events.stats.size(), 1u);
  EXPECT_EQ(events.stats[0].id, edit_rules::kStatBlockPlaced);
  EXPECT_EQ(events.stats[0].value, kGlass);
  EXPECT_EQ(player->heldItem()->count, 1);
  place.x = 13;
  EXPECT_TRUE(game.editBlock(place));
  EXPECT_EQ(player->heldItem(), nullptr);
}

// An edit the world would refuse to write (a variant past the cell's three bits) is refused before
// the held stack pays for it, and the player sees the refused-placement mark.
TEST_F(BlockEditRulesTest, AnEditTheWorldWouldRefuseCostsNothing) {
  player->inventory->setSlot({SlotKind::Quick, 2, 0}, makeItem(kStone, 2));
  player->inventory->select(2);
  BlockEdit place = edit(edit_kind::kSetLayerBlock, 12, 7, kGlass);
  place.takeHeld = 1;
  place.variant = 9;
  EXPECT_FALSE(game.editBlock(place));
  EXPECT_EQ(at(12, 7).frontId(), 0);
  ASSERT_NE(player->heldItem(), nullptr);
  EXPECT_EQ(player->heldItem()->count, 2) << "nothing spent on an edit that wrote nothing";
  EXPECT_TRUE(events.stats.empty());
  ASSERT_EQ(events.effects.size(), 1u);
  EXPECT_EQ(events.effects[0].kind, edit_rules::kEffectRefused);
}

TEST_F(BlockEditRulesTest, TheEditRecordKeepsTheHeldFlagOnTheWire) {
  BlockEdit e = edit(edit_kind::kSetLayerBlock, 300, 7, kGlass, 1);
  e.takeHeld = 1;
  uint8_t bytes[BlockEdit::kWireSize];
  e.encode(bytes);
  EXPECT_EQ(bytes[6], 1);
  const BlockEdit back = BlockEdit::decode(bytes);
  EXPECT_EQ(back.takeHeld, 1);
}

}  // namespace
}  // namespace game_test
