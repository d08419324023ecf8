// The inventory's pages beyond the Tab walk: the statistics page lists what the player's
// statistics counted, fewest first, one kind of count at a time; the item catalogue, offered only
// in a creative world, shows its entries where the backpack stands, and an entry dragged or
// clicked into a quick cell puts a copy there while the entry stays.

#include <gtest/gtest.h>

#include "tests/support/drop_marker.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/catalogue/item_catalogue.h"
#include "game/inventory/inventory.h"
#include "game/stats/stats_store.h"
#include "platform/controls/abstract_controls.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/map/world_params.h"

namespace {

using game_test::kGem;
using game_test::kStone;

constexpr SlotRef kQuick3{SlotKind::Quick, 3, 0};
constexpr SlotRef kEntry00{SlotKind::Catalogue, 0, 0};
constexpr SlotRef kEntry10{SlotKind::Catalogue, 1, 0};

class InventoryExtraPagesTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    statsStore().clearStatistics();
    views().switchTo(ViewId::Main);
  }
  void TearDown() override {
    statsStore().clearStatistics();
    PlayTest::TearDown();
  }
  InventoryView& view() { return views().inventoryView(); }
  std::vector<std::string> rowTexts() {
    std::vector<std::string> texts;
    for (const MenuList::Row& row : view().list().rows()) texts.push_back(row.text);
    return texts;
  }
  engine::Vec2 at(SlotRef slot) {
    InventorySprite* sprite = view().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr);
    return sprite != nullptr ? sprite->getPosition() : engine::Vec2();
  }
  void makeCreative() {
    std::array<std::vector<CatalogueSource>, ItemCatalogue::kCategoryCount> sources;
    sources[0] = {{kStone, 1}, {kGem, 1}};
    PlayTest::makeCreative(sources);
  }
};

TEST_F(InventoryExtraPagesTest, TheStatisticsPageListsEachKindOfCountFewestFirst) {
  statistics.recordStatEvent(stat_number::kCrafted, kStone);
  statistics.recordStatEvent(stat_number::kCrafted, kStone);
  statistics.recordStatEvent(stat_number::kCrafted, kGem);
  statsStore().recordStatEvent(stat_number::kCrafted, kStone);  // the process's store is not shown
  views().push(ViewId::Inventory);
  ASSERT_TRUE(view().choose("Statistics"));
  EXPECT_EQ(view().page(), InventoryView::kStatistics);
  EXPECT_EQ(view().title(), "Inventory: Statistics");
  EXPECT_EQ(rowTexts(), std::vector<std::string>{"Showing: Eaten (choose for the next)"});
  ASSERT_TRUE(view().choose("Showing: Eaten (choose for the next)"));
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"Showing: Crafted (choose for the next)", "#105: 1", "#100: 2"}));
  // Tab leads back to the backpack.
  view().keyEvent(engine::KeyCode::TAB, false);
  EXPECT_EQ(view().page(), InventoryView::kBackpack);
}

TEST_F(InventoryExtraPagesTest, TheCatalogueIsOfferedOnlyInACreativeWorld) {
  views().push(ViewId::Inventory);
  EXPECT_FALSE(view().choose("Catalogue"));
  view().setPage(InventoryView::kCatalogue);
  EXPECT_EQ(view().page(), InventoryView::kBackpack);
  EXPECT_EQ(local->inventory->slotItem(kEntry00), nullptr) << "no entries outside a creative world";
}

TEST_F(InventoryExtraPagesTest, ACatalogueEntryIsCopiedIntoTheQuickRow) {
  makeCreative();
  views().push(ViewId::Inventory);
  ASSERT_TRUE(view().choose("Catalogue"));
  ASSERT_EQ(view().page(), InventoryView::kCatalogue);
  EXPECT_EQ(view().spriteForSlot({SlotKind::Backpack, 0, 0}), nullptr) << "the entries stand in the backpack's place";
  ASSERT_NE(view().spriteForSlot(kEntry10), nullptr);
  ASSERT_NE(view().spriteForSlot(kEntry10)->slotItem(), nullptr);
  EXPECT_EQ(view().spriteForSlot(kEntry10)->slotItem()->id, kGem);

  view().mouseButton(at(kEntry10), kel::MOUSE_BUTTON_LEFT, false);
  view().drag(at(kEntry10) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  view().drag(at(kQuick3), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Move);
  EXPECT_TRUE(testsupport::dropMarkerShown(view()));
  view().drag(at(kQuick3), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  const Item* picked = local->inventory->slotItem(kQuick3);
  ASSERT_NE(picked, nullptr);
  EXPECT_EQ(picked->id, kGem);
  EXPECT_NE(picked, local->inventory->slotItem(kEntry10)) << "a copy of its own";
  EXPECT_EQ(local->inventory->slotItem(kEntry10)->id, kGem) << "the entry stays";

  // A click on an entry and one on a quick cell of the same item adds one to it.
  local->inventory->setSlot({SlotKind::Quick, 4, 0}, ItemPtr(game_test::makeItem(kStone, 2)));
  for (SlotRef slot : {kEntry00, SlotRef{SlotKind::Quick, 4, 0}}) {
    view().mouseButton(at(slot), kel::MOUSE_BUTTON_LEFT, false);
    view().mouseButton(at(slot), kel::MOUSE_BUTTON_LEFT, true);
  }
  EXPECT_EQ(local->inventory->slotItem({SlotKind::Quick, 4, 0})->count, 3);
  // Let go outside every cell, an entry is not thrown.
  view().mouseButton(at(kEntry00), kel::MOUSE_BUTTON_LEFT, false);
  view().drag(at(kEntry00) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  view().drag(at(kEntry00) - engine::Vec2(0, 12 * view().grid().pitch()), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  EXPECT_EQ(local->inventory->slotItem(kEntry00)->id, kStone);
}

}  // namespace
