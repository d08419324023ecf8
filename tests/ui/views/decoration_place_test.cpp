// The main view places a decoration through the decoration rule: a flower pot goes onto an empty
// item shelf as the shelf's front decoration, and onto anything else it is refused with the reason
// shown, while a plain block item still takes the cell itself; a wire placed again and again is
// never spent without standing.

#include <gtest/gtest.h>

#include "game/inventory/inventory.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/main_view.h"
#include "world/cells/block_props.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"

namespace {

using world_test::bits;

constexpr uint16_t kPot = 2212;
constexpr uint16_t kPotItem = 3004;
constexpr uint16_t kItemShelf = 210;  // a shelf for items in the content's shelf table

class DecorationPlaceTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    local->setCellCoordinates(10, 10);
    views().switchTo(ViewId::Main);
    shapeRow(kPot, {.variantCount = 2, .transparency = 2});
    shapeRow(kItemShelf, {.flags = bits({41}), .transparency = 1});
    placing(kPotItem, kPot);
  }
  void shapeRow(uint16_t id, const BlockProps& props) { theWorld().map().mutableProps().mutableRow(id) = props; }
  void hold(uint16_t id) {
    local->inventory->setSlot({SlotKind::Quick, 0, 0}, ItemPtr(game_test::makeItem(id, 1)));
    views().mainView().selectQuickSlot(0);
  }
};

TEST_F(DecorationPlaceTest, AFlowerPotGoesOnAnEmptyShelfAndIsRefusedElsewhere) {
  MapBlock& shelf = cell(11, 10);
  shelf.setLayer(kItemShelf, 0, MapBlock::kFront);
  hold(kPotItem);
  ASSERT_TRUE(views().mainView().place(shelf));
  EXPECT_TRUE(shelf.hasDeco(kPot, MapBlock::kFront));
  EXPECT_EQ(shelf.frontId(), kItemShelf) << "the shelf stays";

  MapBlock& open = cell(12, 10);
  hold(kPotItem);
  events.messages.clear();
  EXPECT_FALSE(views().mainView().place(open));
  EXPECT_FALSE(open.hasDeco(kPot, MapBlock::kFront));
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Flower pots can be placed only on empty shelves.");
}

// A wire goes into an open cell's circuit: each placement through the main view either stands,
// one wire spent, or is refused with nothing spent; never spent and lost.
TEST_F(DecorationPlaceTest, AWirePlacedAHundredTimesStandsOrCostsNothing) {
  constexpr uint16_t kWire = 2064;
  constexpr uint16_t kWireItem = 1616;
  shapeRow(kWire, {.flags = bits({2, 45}), .variantCount = 16, .transparency = 2});
  placing(kWireItem, kWire);
  MapBlock& open = cell(11, 10);
  open.setLayer(world_test::kDirt, 0, MapBlock::kBack);
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, ItemPtr(game_test::makeItem(kWireItem, 200)));
  views().mainView().selectQuickSlot(0);
  for (int attempt = 0; attempt < 100; ++attempt) {
    open.circuitA = 0;
    open.circuitB = 0;
    const int before = local->heldItem()->count;
    ASSERT_TRUE(views().mainView().place(open)) << attempt;
    EXPECT_EQ(circuitKind(open), circuit_kind::kWire) << attempt;
    EXPECT_EQ(before - local->heldItem()->count, 1) << attempt;
    EXPECT_EQ(open.frontId(), 0) << "the wire takes no block's place";
  }
  // A second wire on the same cell, or one into the ground, is refused and costs nothing.
  MapBlock& wall = cell(12, 10);
  wall.setLayer(world_test::kDirt, 0, MapBlock::kFront);
  for (MapBlock* refused : {&open, &wall}) {
    const int before = local->heldItem()->count;
    EXPECT_FALSE(views().mainView().place(*refused));
    EXPECT_EQ(local->heldItem()->count, before);
  }
  EXPECT_EQ(circuitKind(wall), circuit_kind::kNone);
  EXPECT_FALSE(wall.hasDeco(kWire, MapBlock::kFront));
}

TEST_F(DecorationPlaceTest, APlainBlockItemStillTakesTheCell) {
  constexpr uint16_t kDirtItem = 3010;
  placing(kDirtItem, world_test::kDirt);
  MapBlock& open = cell(11, 11);
  hold(kDirtItem);
  ASSERT_TRUE(views().mainView().place(open));
  EXPECT_EQ(open.frontId(), world_test::kDirt);
}

}  // namespace
