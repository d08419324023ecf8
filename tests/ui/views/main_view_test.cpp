// The main view's play: the pointer's cell with the player at the window's centre, mining by
// holding the button within reach, the bound keys moving the body, the quick slots picked by number
// and wheel, the pause key acting only on a press it saw, a right click putting one of the held
// stack on a shelf, a click with a spawning item refused by the rules with their text, and a rod in a
// creative world telling what it lacks.

#include <gtest/gtest.h>

#include <cmath>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/inventory.h"
#include "world/blocks/shelf.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "platform/settings/settings.h"
#include "tests/ui/play_fixture.h"
#include "ui/hud/mining_bar.h"
#include "ui/views/main_view.h"
#include "ui/widgets/ui_draw.h"

namespace {

using engine::KeyCode;
using world_test::kDirt;

class MainViewTest : public ui_test::MainViewPlayTest {
 protected:
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
  // The held quick slot holds the stack.
  void hold(uint16_t id, uint32_t word) {
    ItemPtr item = game_test::makeItem(id, 1);
    item->word = word;
    local->inventory->setSlot({SlotKind::Quick, 0, 0}, std::move(item));
    local->inventory->select(0);
  }
  // The game goes on in a creative world of the same size.
  void playCreative() {
    std::unique_ptr<World> creative =
        World::create(&difficulty, WorldParams{.mode = 1}, kWidth, kHeight, worldContext());
    local->setWorld(creative.get());
    rules.setWorld(creative.get());
    game.lendWorld(creative.get());
    runningWorld().world = std::move(creative);
    local->setCellCoordinates(10, 10);
  }
};

// A crowd of entities, for the creative world's mob limit.
class CrowdedEntities final : public NullRuleEntities {
 public:
  uint32_t entityCount() override { return 600; }
};

// What the rules show on a shelf: where each display stands, and what it shows.
class ShelfDisplays final : public NullRuleEntities {
 public:
  Entity* spawnTreasure(const Item& shown, engine::Vec2 at, engine::Vec2, MapBlock*) override {
    displays.push_back({shown.id, at});
    return nullptr;
  }
  struct Display {
    uint16_t id;
    engine::Vec2 at;
  };
  std::vector<Display> displays;
};

constexpr uint16_t kFourPlaceShelf = 212;
constexpr uint16_t kFirework = 1042;
constexpr uint16_t kMobCapsule = 913;
constexpr uint16_t kWoodenRod = 15;

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

TEST_F(MainViewTest, AClickWithAnEmptyFireworkIsRefusedWithItsText) {
  game_test::defineItem(kFirework, 6, false);
  hold(kFirework, 0);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, false);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, true);
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "The firework is empty! Fill it with dyes!");
  EXPECT_NE(local->inventory->slotItem({SlotKind::Quick, 0, 0}), nullptr) << "nothing was fired";

  // A filled one is not the rule's to refuse.
  events.messages.clear();
  hold(kFirework, 0x0031);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, false);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_TRUE(events.messages.empty());
}

TEST_F(MainViewTest, AMobCapsuleClickedInACrowdedCreativeWorldSaysTheLimit) {
  game_test::defineItem(kMobCapsule, 6, false);
  CrowdedEntities crowd;
  rules.setEntities(&crowd);
  playCreative();
  hold(kMobCapsule, 0);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, false);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, true);
  rules.setEntities(&drops);
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Mob limit reached.");
}

TEST_F(MainViewTest, ARodWithoutABobberInACreativeWorldSaysWhatItNeeds) {
  // A rod shoots from the ammunition slot: no spawning item, whatever the world's mode.
  game_test::defineItem(kWoodenRod, 6, false);
  RangedSpec rod;
  rod.bytes[content::ranged_record::ammunition] = rod.bytes[content::ranged_record::ammunition + 1] = 0xFF;
  rod.bytes[content::ranged_record::needsAmmunition] = 1;
  contentTables().itemDefs[kWoodenRod].rangedSpec = &rod;
  playCreative();
  hold(kWoodenRod, 0);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, false);
  main().mouseButton(pointOf(12, 12), kel::MOUSE_BUTTON_LEFT, true);
  contentTables().itemDefs[kWoodenRod].rangedSpec = nullptr;
  ASSERT_EQ(events.messages.size(), 1u) << "the click said nothing";
  EXPECT_EQ(events.messages[0].text.rfind("A fishing rod needs a bobber or a lure in the ammunition slot", 0), 0u)
      << events.messages[0].text;
}

TEST_F(MainViewTest, ARightClickPutsOneOfTheHeldItemsOnTheShelfWhereThePointerPoints) {
  BlockProps& shelf = theWorld().map().mutableProps().mutableRow(kFourPlaceShelf);
  shelf.flags |= uint64_t{1} << block_flag::kShelf;
  shelf.transparency = 1;
  cell(11, 10).setLayer(kFourPlaceShelf, 0, MapBlock::kFront);
  ShelfDisplays shown;
  rules.setEntities(&shown);
  local->inventory->setSlot({SlotKind::Quick, 0, 0}, game_test::makeItem(game_test::kStone, 5));
  local->inventory->select(0);
  // The lower right quarter of the cell: the shelf's fourth place.
  main().mouseButton(pointOf(11, 10) + engine::Vec2(10, -10), kel::MOUSE_BUTTON_RIGHT, false);
  main().mouseButton(pointOf(11, 10) + engine::Vec2(10, -10), kel::MOUSE_BUTTON_RIGHT, true);
  rules.setEntities(&drops);
  EXPECT_TRUE(events.messages.empty()) << events.messages[0].text;
  const Item* left = local->inventory->slotItem({SlotKind::Quick, 0, 0});
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->count, 4) << "one unit went onto the shelf";
  Shelf* held = theWorld().shelves().findAt(cell(11, 10));
  ASSERT_NE(held, nullptr);
  ASSERT_NE(held->itemAt(3), nullptr);
  EXPECT_EQ(held->itemAt(3)->id, game_test::kStone);
  ASSERT_EQ(shown.displays.size(), 1u);
  EXPECT_EQ(shown.displays[0].id, game_test::kStone);
  EXPECT_FLOAT_EQ(shown.displays[0].at.x, 11 * 30.0f + 7.5f) << "shown on the right";
  EXPECT_LT(shown.displays[0].at.y, 10 * 30.0f) << "and low";
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
