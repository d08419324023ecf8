// Which pointed cells light up: an open cell within reach where the held block can go, not one
// out of reach or with nothing held; and asking says nothing to the player.

#include <gtest/gtest.h>

#include "game/inventory/inventory.h"
#include "tests/ui/play/play_fixture.h"
#include "ui/views/cell_highlight.h"
#include "ui/views/main_view.h"

namespace {

constexpr uint16_t kDirtItem = 3010;

class CellHighlightTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    local->setCellCoordinates(10, 10);
    views().switchTo(ViewId::Main);
    placing(kDirtItem, world_test::kDirt);
  }
  void hold(uint16_t id) {
    local->inventory->setSlot({SlotKind::Quick, 0, 0}, game_test::makeItem(id, 1));
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

}  // namespace
