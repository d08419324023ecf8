// The views a game opens: the inventory's pages and swaps, pause with a save that fails, the
// dialog's notice, the help's keys, and the map's picture of the explored cells; a list view laid
// out again for a new window size.

#include <gtest/gtest.h>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "game/session/game_saves.h"
#include "game/session/game_screen.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/circuit_view.h"
#include "ui/views/dialog_view.h"
#include "ui/views/fish_view.h"
#include "ui/views/help_view.h"
#include "ui/views/inventory_view.h"
#include "ui/views/map_picture.h"
#include "ui/views/pause_view.h"
#include "ui/views/sign_view.h"
#include "world/blocks/sign.h"
#include "world/edits/edit_kind.h"
#include "world/placement/block_tables.h"
#include "world/map/explored_bitmap.h"

namespace {

using engine::KeyCode;

class ViewsTest : public ui_test::PlayTest {
 protected:
  ViewsTest() = default;
  explicit ViewsTest(GameServices services) : PlayTest(std::move(services)) {}
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
  }
  InventoryView& inventory() { return views().inventoryView(); }
  ListView& list(ViewId id) { return dynamic_cast<ListView&>(views().view(id)); }
};

TEST_F(ViewsTest, TheInventorySwapsABackpackStackIntoTheHeldSlotAndTabWalksThePages) {
  local->inventory->setSlot({SlotKind::Backpack, 2, 1}, ItemPtr(game_test::makeItem(game_test::kStone, 3)));
  local->inventory->select(4);
  views().push(ViewId::Inventory);
  EXPECT_TRUE(list(ViewId::Inventory).choose("Backpack: #100 x3"));
  const Item* held = local->inventory->slotItem({SlotKind::Quick, 4, 0});
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->count, 3);
  EXPECT_EQ(local->inventory->slotItem({SlotKind::Backpack, 2, 1}), nullptr);
  EXPECT_EQ(inventory().status(), "Holding #100 x3.");

  const uint8_t pages[] = {InventoryView::kEquipment, InventoryView::kCrafting, InventoryView::kContainer,
                           InventoryView::kBackpack};
  for (uint8_t page : pages) {
    inventory().keyEvent(KeyCode::TAB, false);
    EXPECT_EQ(inventory().page(), page);
  }
  inventory().keyEvent(KeyCode::ESCAPE, false);
  inventory().keyEvent(KeyCode::ESCAPE, true);
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

TEST_F(ViewsTest, AListViewPlacesItsRowsAgainForANewWindowSize) {
  engine::Director* director = engine::Director::getInstance();
  director->designResolutionChanged(engine::Size(1280, 720));
  views().push(ViewId::Pause);
  ListView& pause = list(ViewId::Pause);
  ASSERT_EQ(pause.list().rowAt(engine::Vec2(640, 600)), 0) << "the first row under the title, centred";
  director->designResolutionChanged(engine::Size(800, 600));
  views().layOut();
  EXPECT_EQ(pause.list().rowAt(engine::Vec2(640, 600)), -1) << "nothing answers where it was";
  const float firstRowY = 600 - 40 - 50 - 10 - 16;  // margin, title, gap, half a row
  EXPECT_EQ(pause.list().rowAt(engine::Vec2(400, firstRowY)), 0);
  EXPECT_EQ(pause.list().rowAt(engine::Vec2(140, firstRowY)), 0) << "the 520-point column from 140 to 660";
  EXPECT_EQ(pause.list().rowAt(engine::Vec2(130, firstRowY)), -1);
}

TEST_F(ViewsTest, AWornSlotRefusesWhatCannotBeWornThere) {
  local->inventory->select(0);
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, ItemPtr(game_test::makeItem(game_test::kStone, 1)));
  EXPECT_FALSE(inventory().swapWithHeld({SlotKind::Equipment, 0, 0}));
  EXPECT_EQ(inventory().status(), "That cannot go there.");
  EXPECT_NE(local->inventory->slotItem({SlotKind::Quick, 0, 0}), nullptr) << "nothing moved";
}

// Saves that report each write as the test sets it.
class SettableSaves final : public NullGameSaves {
 public:
  bool hasWorldEntry() const override { return true; }
  void saveCharacter(SaveDone done) override {
    if (done) done(works);
  }
  void saveWorld(World&, SaveDone done) override {
    if (done) done(works);
  }
  bool works = false;
};

// The start views a game's own screen was asked for.
class StartViewScreen final : public NullGameScreen {
 public:
  void showStartView(int dialog) override { dialogs.push_back(dialog); }
  std::vector<int> dialogs;
};

// The views over a game whose saves report each write as the test sets it, on a screen of its own.
class SavingViewsTest : public ViewsTest {
 protected:
  SavingViewsTest() : ViewsTest({.screen = &screen, .saves = &saves}) {}
  SettableSaves saves;
  StartViewScreen screen;
};

TEST_F(SavingViewsTest, PauseStaysWithTheGameWhenTheSaveFails) {
  showPauseView();
  ASSERT_EQ(views().currentId(), ViewId::Pause);
  EXPECT_TRUE(list(ViewId::Pause).choose("Save and quit"));
  ASSERT_EQ(views().currentId(), ViewId::Dialog) << "nothing saved: the dialog says so";
  EXPECT_EQ(list(ViewId::Dialog).lines(), std::vector<std::string>{PauseView::kSaveFailed});
  EXPECT_TRUE(list(ViewId::Dialog).choose("OK"));
  EXPECT_EQ(views().currentId(), ViewId::Pause) << "and the game goes on";
  const auto& lines = list(ViewId::Pause).lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), PauseView::kSaveFailed), lines.end());
  EXPECT_NE(runningWorld().player, nullptr);
  EXPECT_TRUE(list(ViewId::Pause).choose("Resume"));
  EXPECT_EQ(views().currentId(), ViewId::Main);

  // Saved: the game ends and the start view is current.
  saves.works = true;
  showPauseView();
  EXPECT_TRUE(list(ViewId::Pause).choose("Save and quit"));
  EXPECT_EQ(views().currentId(), ViewId::Start);
  EXPECT_EQ(runningWorld().player, nullptr);
  EXPECT_FALSE(game.isStarted());
  EXPECT_EQ(screen.dialogs, std::vector<int>{0}) << "the game's own screen shows the start view";
}

TEST_F(ViewsTest, TheDialogShowsItsNoticeAndTheHelpItsKeys) {
  auto& dialog = dynamic_cast<DialogView&>(views().view(ViewId::Dialog));
  dialog.setupNotice("You learned to make a torch.");
  views().push(ViewId::Dialog);
  EXPECT_EQ(dialog.title(), "Notice");
  EXPECT_EQ(dialog.lines(), std::vector<std::string>{"You learned to make a torch."});
  EXPECT_TRUE(dialog.choose("OK"));
  EXPECT_EQ(views().currentId(), ViewId::Main);
  const std::vector<std::string> help = HelpView::helpLines();
  ASSERT_FALSE(help.empty());
  EXPECT_NE(help[0].find("A / D"), std::string::npos) << help[0];
}

TEST_F(ViewsTest, TheSignViewWritesTheTypedLineOntoTheSignOfItsCell) {
  MapBlock& post = cell(7, 6);
  post.setLayer(kSignBlock, 0, MapBlock::kFront);
  BlockEdit placed;
  placed.kind = edit_kind::kPlace;
  placed.layer = MapBlock::kFront;
  theWorld().createBlockEntityFor(post, placed);
  auto* sign = dynamic_cast<Sign*>(theWorld().blockEntityAt(post));
  ASSERT_NE(sign, nullptr);
  auto& view = dynamic_cast<SignView&>(views().view(ViewId::Sign));
  view.setup(7, 6, "old words");
  views().push(ViewId::Sign);
  EXPECT_EQ(view.entry().text(), "old words") << "the entry opens on the sign's text";
  view.entry().submit("Keep out");
  EXPECT_EQ(sign->text(), "Keep out");
  EXPECT_EQ(views().currentId(), ViewId::Main);
  // A sign that went meanwhile takes nothing and the view still closes.
  view.setup(8, 6, "");
  views().push(ViewId::Sign);
  view.entry().submit("lost");
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

// The game operations the death and fishing views call, counted.
class CountingGame final : public NullGame {
 public:
  void pause() override { ++pauses; }
  void unpause() override { ++unpauses; }
  void respawn() override { ++respawns; }
  void reelIn(float milliseconds) override { reels.push_back(milliseconds); }
  bool editBlock(const BlockEdit& edit) override {
    edits.push_back(edit);
    return true;
  }
  std::vector<BlockEdit> edits;
  int pauses = 0, unpauses = 0, respawns = 0;
  std::vector<float> reels;
};

TEST_F(ViewsTest, DeathPausesTheGameUntilTheRespawnAndFishingReelsInWithTheTimeTaken) {
  CountingGame counting;
  play(counting);
  views().switchTo(ViewId::Death);
  EXPECT_EQ(counting.pauses, 1);
  list(ViewId::Death).keyEvent(KeyCode::ESCAPE, false);
  list(ViewId::Death).keyEvent(KeyCode::ESCAPE, true);
  EXPECT_EQ(views().currentId(), ViewId::Death) << "Escape does not bring the player back";
  EXPECT_TRUE(list(ViewId::Death).choose("Respawn"));
  EXPECT_EQ(counting.respawns, 1);

  views().switchTo(ViewId::Main);
  EXPECT_EQ(counting.unpauses, 1);
  views().push(ViewId::Fish);
  auto& fish = dynamic_cast<FishView&>(views().view(ViewId::Fish));
  fish.tick(0.25f);
  EXPECT_EQ(fish.lines().front(), FishView::kWaiting);
  fish.biteSeen();
  EXPECT_EQ(fish.lines().front(), FishView::kBiting);
  fish.tick(0.25f);
  fish.tick(0.25f);
  EXPECT_TRUE(fish.choose("Reel in"));
  ASSERT_EQ(counting.reels.size(), 1u);
  EXPECT_FLOAT_EQ(counting.reels[0], 500.0f) << "the reaction counts from the bite, not the opening";
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

TEST_F(ViewsTest, TheCircuitConfiguratorSendsItsChangedSettingAsAnEdit) {
  CountingGame counting;
  play(counting);
  auto& circuit = dynamic_cast<CircuitView&>(views().view(ViewId::Circuit));
  circuit.setup(4, 5, CircuitRecord{.tag = 2, .value = 0x12FF, .second = 0xABCD});
  views().push(ViewId::Circuit);
  EXPECT_TRUE(circuit.choose("Raise"));
  EXPECT_TRUE(circuit.choose("Apply"));
  ASSERT_EQ(counting.edits.size(), 1u);
  const BlockEdit& edit = counting.edits[0];
  EXPECT_EQ(edit.kind, edit_kind::kCircuitSetting);
  EXPECT_EQ(edit.x, 4);
  EXPECT_EQ(edit.y, 5);
  const uint8_t bytes[] = {2, 0, 0x00, 0x13, 0xCD, 0xAB};  // the value raised by one, little-endian
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(edit.valueByte(i), bytes[i]) << i;
  EXPECT_EQ(views().currentId(), ViewId::Main);
}

TEST_F(ViewsTest, TheMapShowsOnlyExploredCellsColouredByWhatFillsThemAndThePlayer) {
  WorldMap& map = theWorld().map();
  cell(5, 5).setLayer(world_test::kDirt, 0, MapBlock::kFront);
  ASSERT_NE(map.explored(), nullptr);
  map.explored()->revealAround(5, 5);
  const std::vector<uint8_t> pixels = mapPicture(map, 6, 5);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight * 4));
  const auto pixel = [&](int32_t x, int32_t y) {
    const size_t at = (static_cast<size_t>(kHeight - 1 - y) * kWidth + static_cast<size_t>(x)) * 4;
    return std::vector<uint8_t>(pixels.begin() + static_cast<std::ptrdiff_t>(at),
                                pixels.begin() + static_cast<std::ptrdiff_t>(at + 4));
  };
  const auto colour = [](const uint8_t* c) { return std::vector<uint8_t>(c, c + 4); };
  EXPECT_EQ(pixel(5, 5), colour(kMapSolid));
  EXPECT_EQ(pixel(6, 5), colour(kMapPlayer));
  EXPECT_EQ(pixel(5, 6), colour(kMapOpen));
  EXPECT_EQ(pixel(5, 25), colour(kMapUnexplored)) << "16 rows above is not seen";
}

}  // namespace
