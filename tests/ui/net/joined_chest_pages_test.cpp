// A joined player pages the host's large chest in her inventory view, over real ENet on 127.0.0.1:
// each page step she takes with the view's button or wheel moves the host's chest to the offset her
// copy shows, and the stack she drags out of a cell of the last page leaves exactly the slot that
// cell shows, for her items on the host.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/controls/abstract_controls.h"
#include "platform/desktop_platform.h"
#include "platform/screen_layout.h"
#include "tests/net/host_game/play_together.h"
#include "tests/support/screen_layout_reset.h"
#include "tests/ui/chest_cells.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/main_layer.h"

namespace {

using nettest::PlayTogether;

constexpr size_t kLargeChest = 120;  // the content's largest chest
constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};

using ui_test::chestSlot;

class JoinedChestPages : public PlayTogether {
 protected:
  void SetUp() override {
    PlayTogether::SetUp();
    if (HasFatalFailure()) return;
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    kel::Platform::setInstance(platform.get());
    // The smallest window the game offers, at the interface scale it takes there.
    engine::Director::getInstance()->designResolutionChanged(engine::Size(960, 540));
    screenLayout().uiScale = 2.0f;
    layer = MainLayer::create();
    layer->retain();
    createViews();
    gameViews()->setLayer(layer);
    // Her views play her joined game, its world and player held as the running ones.
    annRunning.borrow(*ann->world(), &ann->player());
    LocalLogic& rules = ann->joined->rules();
    gameViews()->session().bind(&ann->game(), &rules, &rules, &rules, &annRunning);
    gameViews()->switchTo(ViewId::Main);
  }
  void TearDown() override {
    if (layer != nullptr) {
      destroyViews();
      layer->release();
    }
    kel::Platform::setInstance(nullptr);
    PlayTogether::TearDown();
    resetScreenLayout();
  }
  InventoryView& view() { return gameViews()->inventoryView(); }
  std::vector<size_t> shownChestSlots() { return ui_test::shownChestSlots(view()); }
  engine::Vec2 at(SlotRef slot) {
    InventorySprite* sprite = view().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr) << "slot " << static_cast<int>(slot.x) << " is not shown";
    return sprite != nullptr ? sprite->getPosition() : engine::Vec2(-1, -1);
  }
  engine::Vec2 nextButton() { return ui_test::pageButtonPoint(view(), true); }
  // Her copy of the chest and the host's at the same offset, once her step arrived.
  bool offsetsMeet(const Chest& hosts) {
    const auto* hers = dynamic_cast<const Chest*>(ann->player().openContainer());
    return runUntil([&] { return hers != nullptr && hosts.offset() == hers->offset(); });
  }

  std::unique_ptr<kel::DesktopPlatform> platform;
  MainLayer* layer = nullptr;
  RunningWorld annRunning;
};

TEST_P(JoinedChestPages, SheStepsTheHostsChestAndTakesTheStackOfTheSlotHerCellShows) {
  const uint16_t id = nettest::stackingItems(1)[0];
  MapBlock& chestCell = *hostWorld->cellAt(column + 1, ground->y + 1);
  Chest& chest = placeChest(chestCell, kLargeChest);
  chest.setItem(0, newItem(id, 0, 3, 0, 0));
  chest.setItem(kLargeChest - 1, newItem(id, 0, 7, 0, 0));
  const uint32_t carried = onHost(kAnn).items().countOf(id);
  useChest(*ann, chestCell);
  ASSERT_TRUE(runUntil([&] { return dynamic_cast<Chest*>(ann->player().openContainer()) != nullptr; }));
  gameViews()->push(ViewId::Inventory);
  view().setPage(InventoryView::kContainer);

  const size_t perPage = shownChestSlots().size();
  ASSERT_GT(perPage, 0u);
  ASSERT_LT(perPage, kLargeChest) << "the chest pages at 960 x 540";
  view().mouseButton(nextButton(), kel::MOUSE_BUTTON_LEFT, false);
  view().mouseButton(nextButton(), kel::MOUSE_BUTTON_LEFT, true);
  ASSERT_TRUE(offsetsMeet(chest));
  EXPECT_EQ(chest.offset(), static_cast<int32_t>(perPage)) << "her page step reached the host's chest";
  for (size_t page = 2; page * perPage < kLargeChest; ++page) {
    view().wheelAt(at(chestSlot(shownChestSlots().front())), 1.0f);
    ASSERT_TRUE(offsetsMeet(chest));
  }
  ASSERT_EQ(shownChestSlots().back(), kLargeChest - 1) << "the last page shows the last slot";
  EXPECT_EQ(view().grid().pageStep(true), 0);

  const SlotRef last = chestSlot(kLargeChest - 1);
  view().mouseButton(at(last), kel::MOUSE_BUTTON_LEFT, false);
  view().drag(at(last) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  view().drag(at(kPack00), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  ASSERT_TRUE(runUntil([&] { return chest.itemAt(kLargeChest - 1) == nullptr; }));
  settle();
  EXPECT_EQ(onHost(kAnn).items().countOf(id), carried + 7) << "the host counts the stack as hers";
  ASSERT_NE(chest.itemAt(0), nullptr);
  EXPECT_EQ(chest.itemAt(0)->count, 3) << "the first page's stack stays";
  size_t stacks = 0;
  for (size_t slot = 0; slot < kLargeChest; ++slot) stacks += chest.itemAt(slot) != nullptr;
  EXPECT_EQ(stacks, 1u);
  const Item* taken = ann->inventory().slotItem(kPack00);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->count, 7);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, JoinedChestPages, ::testing::Values(false));

}  // namespace
