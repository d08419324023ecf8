// A new character that the allocator put at the old character's address is still a new character
// to the interface: its first look at the inventory finds nothing new, whatever the old one saw.

#include <gtest/gtest.h>

#include "game/inventory/inventory.h"
#include "tests/support/remake_in_place.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"

namespace {

using game_test::kStone;
using game_test::makeItem;

class NewCharacterTest : public ui_test::PlayTest {};

constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};
constexpr SlotRef kPack10{SlotKind::Backpack, 1, 0};

TEST_F(NewCharacterTest, ANewCharacterAtTheOldOnesAddressFindsNothingNewAtItsFirstLook) {
  views().switchTo(ViewId::Main);
  local->inventory->setSlot(kPack00, makeItem(kStone, 2));
  views().push(ViewId::Inventory);
  views().pop();  // the old character saw one stack, and nothing in the next cell

  PlayerDesktopLocal& fresh = testsupport::remakeInPlace(runningWorld().player, &game);
  ASSERT_EQ(&fresh, local);
  fresh.setWorld(&theWorld());
  fresh.inventory->setSlot(kPack10, makeItem(kStone, 1));
  views().push(ViewId::Inventory);
  EXPECT_FALSE(views().inventoryView().isNewItemCell(kPack10)) << "what a character holds at its first look is not news";
}

}  // namespace
