// The main view's play: the pointer's cell with the player at the window's centre, mining by
// holding the button within reach, the bound keys moving the body, the quick slots picked by number
// and wheel, the pause key acting only on a press it saw, and the HUD following health and breath
// and a new window size.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "platform/settings/settings.h"
#include "tests/ui/play/play_fixture.h"
#include "ui/hud/hud.h"
#include "ui/hud/mining_bar.h"
#include "view/player/portrait_frame.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/main_view.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/inventory_sprite.h"

namespace {

using engine::KeyCode;
using world_test::kDirt;

class MainViewTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    local->setCellCoordinates(10, 10);
    views().switchTo(ViewId::Main);
  }
  MainView& main() { return views().mainView(); }
  engine::Vec2 centre() const {
    const engine::Size window = uiWindowSize();
    return engine::Vec2(window.width / 2.0f, window.height / 2.0f);
  }
  // The window point of a cell's centre.
  engine::Vec2 pointOf(int32_t x, int32_t y) {
    const float scale = static_cast<float>(kel::options().viewportScale) - 1.0f;
    return centre() + (engine::Vec2(x * 30.0f, y * 30.0f) - local->position) * scale;
  }
  void breakableDirt() { theWorld().map().mutableProps().mutableRow(kDirt).flags |= uint64_t{1} << 2; }
};

TEST_F(MainViewTest, ThePointerFindsTheCellDrawnUnderIt) {
  EXPECT_EQ(main().worldPointAt(centre()), local->position);
  const struct {
    int32_t x, y;
  } cells[] = {{10, 10}, {11, 10}, {9, 10}, {10, 11}, {10, 9}, {14, 7}};
  for (const auto& c : cells) {
    MapBlock* found = main().cellAt(pointOf(c.x, c.y));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->x, c.x);
    EXPECT_EQ(found->y, c.y);
  }
  // A point off the map's top has no cell; one past its side wraps round.
  EXPECT_EQ(main().cellAt(pointOf(10, kHeight + 5)), nullptr);
  MapBlock* wrapped = main().cellAt(pointOf(-1, 10));
  ASSERT_NE(wrapped, nullptr);
  EXPECT_EQ(wrapped->x, kWidth - 1);
}

TEST_F(MainViewTest, HoldingTheButtonBreaksABlockAfterItsTimeWithItsProgressShown) {
  breakableDirt();
  // A cell beside and above the player: bare hands reach one cell (and the headless window has no
  // size, so the quick slots along its bottom edge cover the player's row).
  cell(11, 11).setLayer(kDirt, 0, MapBlock::kFront);
  const float seconds = BlockMining::secondsFor(local->breakTimeFor(cell(11, 11)));
  ASSERT_GT(seconds, 0.2f);
  const auto hold = [this](float forSeconds) {
    for (float t = 0; t < forSeconds; t += 1.0f / 60) main().frame(1.0f / 60);
  };
  main().mouseButton(pointOf(11, 11), kel::MOUSE_BUTTON_LEFT, false);
  EXPECT_FALSE(events.effects.empty()) << "the block is struck at once";
  hold(seconds / 2);
  EXPECT_NE(cell(11, 11).frontId(), 0) << "half the time is not enough";
  EXPECT_TRUE(main().miningBar().shown());
  EXPECT_GT(main().mining().progress(), 0.0f);
  // Letting go forgets the work: half the time again does not finish it.
  main().mouseButton(pointOf(11, 11), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_FALSE(main().miningBar().shown());
  main().mouseButton(pointOf(11, 11), kel::MOUSE_BUTTON_LEFT, false);
  hold(seconds / 2);
  EXPECT_NE(cell(11, 11).frontId(), 0);
  hold(seconds / 2 + 0.1f);
  EXPECT_EQ(cell(11, 11).frontId(), 0);
  EXPECT_FALSE(main().miningBar().shown());
  main().mouseButton(pointOf(11, 11), kel::MOUSE_BUTTON_LEFT, true);
}

TEST_F(MainViewTest, ABlockOutOfReachIsRefusedOnceWhileTheButtonIsHeld) {
  breakableDirt();
  cell(13, 11).setLayer(kDirt, 0, MapBlock::kFront);
  EXPECT_FALSE(main().mine(cell(13, 11)));
  main().mouseButton(pointOf(13, 11), kel::MOUSE_BUTTON_LEFT, false);
  for (int frame = 0; frame < 120; ++frame) main().frame(1.0f / 60);
  main().mouseButton(pointOf(13, 11), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_NE(cell(13, 11).frontId(), 0);
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "That is out of reach.");
}

TEST(BlockMiningTest, TheTimeFollowsThePowerAndTheStrikesTheItemsPace) {
  EXPECT_FLOAT_EQ(BlockMining::secondsFor(1.0f), BlockMining::kSecondsAtPowerOne);
  EXPECT_LT(BlockMining::secondsFor(2.0f), BlockMining::secondsFor(1.0f)) << "a stronger tool is faster";
  EXPECT_GT(BlockMining::secondsFor(0.35f), BlockMining::secondsFor(1.0f)) << "bare hands are slow";
  EXPECT_LT(BlockMining::secondsFor(0.0f), 0.0f) << "no power breaks nothing";

  BlockMining mining;
  mining.start(3, 4, 1.0f, 0.25f);
  EXPECT_TRUE(mining.targets(3, 4));
  EXPECT_FALSE(mining.targets(4, 4));
  int strikes = 0;
  bool broken = false;
  for (int frame = 0; frame < 59; ++frame) {
    const BlockMining::Step step = mining.advance(1.0f / 60);
    strikes += step.strike ? 1 : 0;
    broken = broken || step.broken;
  }
  EXPECT_FALSE(broken);
  EXPECT_EQ(strikes, 4);
  EXPECT_NEAR(mining.progress(), 59.0f / 60, 1e-4);
  EXPECT_TRUE(mining.advance(2.0f / 60).broken);
  EXPECT_FALSE(mining.active());

  mining.start(3, 4, -1.0f, 0.25f);
  EXPECT_FALSE(mining.breakable());
  const BlockMining::Step idle = mining.advance(5.0f);
  EXPECT_FALSE(idle.broken || idle.strike) << "an unbreakable block is neither struck nor broken";
}

TEST_F(MainViewTest, TheBoundKeysMoveTheBodyAndPickQuickSlots) {
  main().keyEvent(KeyCode::D, false);
  EXPECT_EQ(local->body().hKey, 1);
  main().keyEvent(KeyCode::D, true);
  EXPECT_NE(local->body().hKey, 1);
  main().keyEvent(KeyCode::LEFT_ARROW, false);
  EXPECT_EQ(local->body().hKey, 0);
  main().keyEvent(KeyCode::LEFT_ARROW, true);

  const std::pair<KeyCode, uint32_t> digits[] = {{KeyCode::DIGIT_1, 0}, {KeyCode::DIGIT_3, 2}, {KeyCode::DIGIT_0, 9}};
  for (const auto& [key, slot] : digits) {
    main().keyEvent(key, false);
    EXPECT_EQ(local->inventory->selected(), slot);
  }
  main().mouseWheel(1.0f);
  EXPECT_EQ(local->inventory->selected(), 0u) << "the wheel turned down wraps past the last slot";
  main().mouseWheel(-1.0f);
  EXPECT_EQ(local->inventory->selected(), 9u) << "the wheel turned up goes back";
  main().mouseWheel(-1.0f);
  EXPECT_EQ(local->inventory->selected(), 8u);
}

TEST_F(MainViewTest, ThePauseKeyActsOnlyOnTheReleaseOfAPressItSaw) {
  main().keyEvent(KeyCode::ESCAPE, true);
  EXPECT_EQ(views().currentId(), ViewId::Main) << "a release left over from a closing view";
  main().keyEvent(KeyCode::ESCAPE, false);
  EXPECT_EQ(views().currentId(), ViewId::Main);
  main().keyEvent(KeyCode::ESCAPE, true);
  EXPECT_EQ(views().currentId(), ViewId::Pause);
  views().popToMainView();
  main().keyEvent(KeyCode::E, false);
  main().keyEvent(KeyCode::E, true);
  EXPECT_EQ(views().currentId(), ViewId::Inventory);
  EXPECT_EQ(views().paused().size(), 1u) << "opened over the main view";
}

TEST_F(MainViewTest, TheHudFollowsHealthBreathAndTheQuickRow) {
  local->health = local->stats.maxHealth / 2;
  local->breath = PlayerBase::kFullBreath / 4;
  local->inventory->setSlot({SlotKind::Quick, 1, 0}, ItemPtr(game_test::makeItem(game_test::kStone, 7)));
  local->inventory->select(1);
  main().refreshCamera();
  ASSERT_NE(main().hud().portrait(), nullptr);
  EXPECT_FLOAT_EQ(main().hud().portrait()->health(), 0.5f);
  EXPECT_FLOAT_EQ(main().hud().portrait()->breath(), 0.25f);
  EXPECT_EQ(main().hud().quickSlots().selected(), 1);
  EXPECT_EQ(main().hud().quickSlots().face(1).count, 7);
  EXPECT_EQ(main().hud().quickSlots().face(1).durability, -1.0f) << "stone does not wear";
  EXPECT_TRUE(main().hud().quickSlots().face(0).name.empty());
  // Each slot is a slot sprite of the quick row: the held one in its selected frame.
  const InventorySprite* held = main().hud().quickSlots().sprite(1);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->slot(), (SlotRef{SlotKind::Quick, 1, 0}));
  EXPECT_EQ(held->elementState(), held->slotKind()->selectedId);
  EXPECT_EQ(held->slotItem(), local->inventory->slotItem({SlotKind::Quick, 1, 0}));
  const InventorySprite* other = main().hud().quickSlots().sprite(0);
  EXPECT_EQ(other->elementState(), other->slotKind()->normalId);
  EXPECT_EQ(main().hud().quickSlots().slotAt(held->getPosition()), 1);
  local->inventory->select(0);
  main().refreshCamera();
  EXPECT_EQ(held->elementState(), held->slotKind()->normalId);
  EXPECT_EQ(other->elementState(), other->slotKind()->selectedId);
  // Leaving the main view lets the sprites go; coming back makes them again.
  views().switchTo(ViewId::Death);
  EXPECT_EQ(main().hud().quickSlots().sprite(1), nullptr);
  views().switchTo(ViewId::Main);
  ASSERT_NE(main().hud().quickSlots().sprite(1), nullptr);
  EXPECT_EQ(main().hud().quickSlots().sprite(1)->slotItem(), local->inventory->slotItem({SlotKind::Quick, 1, 0}));
}

TEST_F(MainViewTest, ANewWindowSizePlacesTheQuickBarAndThePortraitAgain) {
  engine::Director* director = engine::Director::getInstance();
  director->designResolutionChanged(engine::Size(1280, 720));
  views().layOut();
  const InventorySprite* before = main().hud().quickSlots().sprite(0);
  ASSERT_NE(before, nullptr);
  ASSERT_FLOAT_EQ((before->getPositionX() + main().hud().quickSlots().sprite(9)->getPositionX()) / 2, 640.0f);

  director->designResolutionChanged(engine::Size(800, 600));
  views().layOut();
  const QuickSlots& quick = main().hud().quickSlots();
  ASSERT_NE(quick.sprite(0), nullptr) << "shown again at once";
  ASSERT_NE(quick.sprite(9), nullptr);
  EXPECT_FLOAT_EQ((quick.sprite(0)->getPositionX() + quick.sprite(9)->getPositionX()) / 2, 400.0f) << "centred";
  EXPECT_LT(quick.sprite(9)->getPositionX(), 800.0f);
  EXPECT_EQ(quick.slotAt(quick.sprite(9)->getPosition()), 9) << "the pointer finds the slots where they are drawn";
  ASSERT_NE(main().hud().portrait(), nullptr);
  EXPECT_LT(main().hud().portrait()->getPositionY(), 600.0f) << "the portrait stays under the window's top";
  EXPECT_GT(main().hud().portrait()->getPositionY(), 500.0f);
}

TEST_F(MainViewTest, TheThrowKeyThrowsTheHeldStackOnly) {
  local->inventory->setSlot({SlotKind::Quick, 2, 0}, ItemPtr(game_test::makeItem(game_test::kStone, 4)));
  local->inventory->setSlot({SlotKind::Quick, 3, 0}, ItemPtr(game_test::makeItem(game_test::kStone, 1)));
  local->inventory->select(2);
  EXPECT_FALSE(main().shootHeld()) << "stone fires nothing";
  main().keyEvent(KeyCode::Q, false);
  EXPECT_EQ(local->inventory->slotItem({SlotKind::Quick, 2, 0}), nullptr);
  EXPECT_NE(local->inventory->slotItem({SlotKind::Quick, 3, 0}), nullptr);
  EXPECT_FALSE(main().throwHeld()) << "an empty hand throws nothing";
}

TEST_F(MainViewTest, ThePointerAimsFromThePlayer) {
  EXPECT_TRUE(std::isnan(main().aimAngle()));
  main().mouseMoved(centre() + engine::Vec2(100, 0));
  EXPECT_NEAR(main().aimAngle(), 0.0f, 1e-5f);
  main().mouseMoved(centre() + engine::Vec2(0, 100));
  EXPECT_NEAR(main().aimAngle(), 1.5707964f, 1e-5f);
  EXPECT_FALSE(main().acting());
}

}  // namespace
