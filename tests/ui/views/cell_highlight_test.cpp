// Which pointed cells light up: an open cell within reach where the held block can go, not one
// out of reach or with nothing held, nor one where the rules would refuse it (a torch in open air
// with nothing to hold it); and asking says nothing to the player.

#include <gtest/gtest.h>

#include "game/inventory/inventory.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/cell_highlight.h"
#include "ui/views/main_view.h"

namespace {

constexpr uint16_t kDirtItem = 3010;
constexpr uint16_t kTorchBlock = 40;
constexpr uint16_t kTorchItem = 140;
constexpr uint16_t kBackWall = 41;

class CellHighlightTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    local->setCellCoordinates(10, 10);
    views().switchTo(ViewId::Main);
    placing(kDirtItem, world_test::kDirt);
  }
  void hold(uint16_t id) {
    local->inventory->setSlot({SlotKind::Quick, 0, 0}, ItemPtr(game_test::makeItem(id, 1)));
    views().mainView().selectQuickSlot(0);
  }
};

TEST_F(CellHighlightTest, AnOpenCellInReachLightsForAHeldBlockOnly) {
  MapBlock& near = cell(12, 11);
  EXPECT_FALSE(heldItemActsOn(*local, near, true)) << "an empty hand places nothing";
  hold(kDirtItem);
  EXPECT_TRUE(heldItemActsOn(*local, near, true));
  EXPECT_FALSE(heldItemActsOn(*local, near, false)) << "out of reach";
  EXPECT_TRUE(events.messages.empty());
  EXPECT_TRUE(events.texts.empty());
  EXPECT_TRUE(events.effects.empty()) << "asking refuses nothing at the cell";
}

// A torch needs a back wall, a side wall or the ground above it: where none holds it the click is
// refused, so the cell must not light up as if the torch could go there.
TEST_F(CellHighlightTest, ATorchLightsOnlyCellsThatHoldIt) {
  BlockPropsTable& props = theWorld().map().mutableProps();
  props.mutableRow(kTorchBlock) = BlockProps{.flags = (1ull << 4) | (1ull << 20) | (1ull << 24), .transparency = 1};
  props.mutableRow(kBackWall) = BlockProps{.transparency = 0};
  placing(kTorchItem, kTorchBlock);
  hold(kTorchItem);
  MapBlock& open = cell(12, 12);
  ASSERT_EQ(open.frontId(), 0);
  ASSERT_FALSE(open.isBelowSurface(theWorld().map()));
  EXPECT_FALSE(heldItemActsOn(*local, open, true)) << "open air with nothing to hold the torch";
  EXPECT_FALSE(views().mainView().place(open)) << "and the click agrees";

  open.setLayer(kBackWall, 0, MapBlock::kBack);
  EXPECT_TRUE(heldItemActsOn(*local, open, true)) << "a back wall holds it";
  EXPECT_TRUE(views().mainView().place(open));
  EXPECT_EQ(open.frontId(), kTorchBlock);
  EXPECT_TRUE(events.effects.empty()) << "nothing was refused at a cell";
}

}  // namespace
