// What a player places with the right button, with the game's own content: every item she can
// place goes where the pointed cell's preview shows it and nowhere else, as a block, a decoration
// or a circuit part; what she placed works as its block does (a charge lit by a torch bursts, a
// lever flips, a door opens); and a click that does nothing says one true reason.

#include <gtest/gtest.h>

#include <string>

#include "content/loader/content_database.h"
#include "content/tables/content_tables.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/held_item_placement.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/cell_highlight.h"
#include "ui/views/placement_refusal.h"
#include "ui/widgets/ui_draw.h"
#include "platform/settings/settings.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/explosions/explosion_system.h"

namespace {

constexpr uint16_t kDirt = 263;
constexpr uint16_t kChargeItem = 1040, kCharge = 239, kLitCharge = 191;
constexpr uint16_t kTorchItem = 149;
constexpr uint16_t kLeverItem = 1489, kLever = 2086;
constexpr uint16_t kDoorItem = 290, kDoor = 290;
constexpr uint16_t kSignItem = 2599;
constexpr uint16_t kConnectorItem = 1872;
constexpr uint16_t kNotGateItem = 1937, kAndGateItem = 1553;
constexpr uint16_t kPick = 4;  // a tool, which places nothing

class PlacedByClickTest : public ui_test::MainViewPlayTest {
 protected:
  void SetUp() override {
    MainViewPlayTest::SetUp();
    loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
    ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
    freshWorld();
  }
  void TearDown() override {
    MainViewPlayTest::TearDown();
    resetContentDatabase();
  }

  // A new world read from the loaded content, the player standing on cell (10, 10).
  void freshWorld() {
    std::unique_ptr<World> made = World::create(&difficulty, WorldParams{}, kWidth, kHeight, worldContext());
    local->setWorld(made.get());
    rules.setWorld(made.get());
    game.lendWorld(made.get());
    runningWorld().world = std::move(made);
    local->setCellCoordinates(10, 10);
  }
  void front(int32_t x, int32_t y, uint16_t id) { cell(x, y).setLayer(id, 0, MapBlock::kFront); }
  void back(int32_t x, int32_t y, uint16_t id) { cell(x, y).setLayer(id, 0, MapBlock::kBack); }
  void hold(uint16_t id, uint16_t count) {
    local->inventory->setSlot({SlotKind::Quick, 0, 0}, game_test::makeItem(id, count));
    main().selectQuickSlot(0);
  }
  int heldCount() {
    const Item* held = local->inventory->slotItem({SlotKind::Quick, 0, 0});
    return held != nullptr ? held->count : 0;
  }
  engine::Vec2 pointOf(int32_t x, int32_t y) {
    const engine::Size window = uiWindowSize();
    const float scale = static_cast<float>(kel::options().viewportScale) - 1.0f;
    return engine::Vec2(window.width / 2.0f, window.height / 2.0f) +
           (engine::Vec2(x * 30.0f, y * 30.0f) - local->position) * scale;
  }
  // One right click on the cell, as the mouse makes it.
  void rightClick(int32_t x, int32_t y) {
    main().mouseButton(pointOf(x, y), kel::MOUSE_BUTTON_RIGHT, false);
    main().mouseButton(pointOf(x, y), kel::MOUSE_BUTTON_RIGHT, true);
  }
  bool previewShown(int32_t x, int32_t y) { return clickPlacesAt(*local, cell(x, y), true); }
  // What the player was told since the last call.
  std::vector<std::string> told() {
    std::vector<std::string> lines;
    for (const auto& message : events.messages) lines.push_back(message.text);
    for (const auto& text : events.texts) lines.push_back("text " + std::to_string(text.id));
    events.messages.clear();
    events.texts.clear();
    return lines;
  }
  // The blasts queued in the world go off, as the main layer's frames count their fuses down.
  void burnFuses() {
    for (int frame = 0; frame < 600 && !theWorld().explosions().pending().empty(); ++frame) {
      theWorld().explosions().update(1.0f);
    }
  }
};

TEST_F(PlacedByClickTest, AChargeHangsOnRockAndATorchLightsItAndItBursts) {
  for (int32_t x = 11; x <= 13; ++x) {
    for (int32_t y = 9; y <= 11; ++y) front(x, y, kDirt);
  }
  hold(kChargeItem, 3);
  EXPECT_TRUE(previewShown(11, 10)) << "the rock's face is shown to take the charge";
  rightClick(11, 10);
  EXPECT_TRUE(told().empty());
  EXPECT_TRUE(cell(11, 10).hasDeco(kCharge, MapBlock::kFront)) << "on the rock's face";
  EXPECT_EQ(cell(11, 10).frontId(), kDirt) << "the rock stays";
  EXPECT_EQ(heldCount(), 2) << "one charge spent";

  hold(kTorchItem, 5);
  EXPECT_FALSE(previewShown(11, 10)) << "the torch's click is the charge's, not a placement";
  rightClick(11, 10);
  EXPECT_TRUE(told().empty());
  EXPECT_TRUE(cell(11, 10).hasDeco(kLitCharge, MapBlock::kFront)) << "the fuse burns";
  EXPECT_EQ(heldCount(), 5) << "the torch is kept";
  ASSERT_FALSE(theWorld().explosions().pending().empty());
  burnFuses();
  EXPECT_EQ(cell(11, 10).frontId(), 0) << "the rock it hung on is blown away";
  EXPECT_EQ(cell(12, 10).frontId(), 0) << "and the rock beside it";
}

TEST_F(PlacedByClickTest, AChargeInOpenAirIsNeitherShownNorPlacedAndSaysWhatItNeeds) {
  back(11, 10, kDirt);
  hold(kChargeItem, 3);
  EXPECT_FALSE(previewShown(11, 10));
  rightClick(11, 10);
  EXPECT_EQ(told(), std::vector<std::string>{placement_refusal::kNeedsBlockFace});
  EXPECT_FALSE(cell(11, 10).hasAnyDeco(MapBlock::kFront) || cell(11, 10).hasAnyDeco(MapBlock::kBack));
  EXPECT_EQ(cell(11, 10).frontId(), 0) << "no charge stands as a block";
  EXPECT_EQ(heldCount(), 3) << "nothing spent";
}

// What she places is used where she placed it: a lever beside her flips at her click; a door two
// cells away asks her to come nearer (and nothing is placed in its stead), and opens once she is.
TEST_F(PlacedByClickTest, ALeverAndADoorPlacedByClickAreUsedByClick) {
  front(11, 9, kDirt);
  hold(kLeverItem, 1);
  EXPECT_TRUE(previewShown(11, 10));
  rightClick(11, 10);
  ASSERT_EQ(cell(11, 10).frontId(), kLever);
  EXPECT_EQ(cell(11, 10).frontVariant(), 0);
  rightClick(11, 10);  // with the empty hand the lever left
  EXPECT_EQ(cell(11, 10).frontVariant(), 1) << "flipped";

  front(12, 9, kDirt);
  front(12, 11, kDirt);
  hold(kDoorItem, 2);
  EXPECT_TRUE(previewShown(12, 10));
  told();
  rightClick(12, 10);
  ASSERT_EQ(cell(12, 10).frontId(), kDoor);
  const uint8_t shut = cell(12, 10).frontVariant();
  rightClick(12, 10);
  const std::vector<std::string> afar = told();
  ASSERT_EQ(afar.size(), 1u) << "one reason";
  EXPECT_TRUE(afar[0] == placement_refusal::kStandNextToIt || afar[0] == "That is out of reach.") << afar[0];
  EXPECT_EQ(cell(12, 10).frontVariant(), shut) << "not from two cells away";
  EXPECT_EQ(heldCount(), 1) << "and no door placed in its stead";
  local->setCellCoordinates(13, 10);
  rightClick(12, 10);
  EXPECT_NE(cell(12, 10).frontVariant(), shut) << "opened from beside it";
}

TEST_F(PlacedByClickTest, GatesGoIntoTheOpenCellsCircuitAndAConnectorIsRefusedForNothing) {
  hold(kNotGateItem, 1);
  EXPECT_TRUE(previewShown(11, 10));
  rightClick(11, 10);
  EXPECT_EQ(circuitKind(cell(11, 10)), circuit_kind::kNot);
  hold(kAndGateItem, 1);
  rightClick(12, 10);
  EXPECT_EQ(circuitKind(cell(12, 10)), circuit_kind::kAnd);
  EXPECT_EQ(cell(12, 10).frontId(), 0) << "a gate takes no block's place";

  hold(kConnectorItem, 4);
  EXPECT_FALSE(previewShown(13, 10));
  told();
  rightClick(13, 10);
  EXPECT_EQ(told(), std::vector<std::string>{placement_refusal::kConnectorNotPlaced});
  EXPECT_EQ(circuitKind(cell(13, 10)), circuit_kind::kNone);
  EXPECT_FALSE(cell(13, 10).hasAnyDeco(MapBlock::kFront) || cell(13, 10).hasAnyDeco(MapBlock::kBack));
  EXPECT_EQ(heldCount(), 4) << "nothing spent";
}

// A click that does nothing says one thing, and the thing the rules ask.
TEST_F(PlacedByClickTest, ARefusedClickSaysOneTrueReason) {
  front(12, 9, kDirt);
  front(12, 11, kDirt);
  front(12, 10, kDoor);
  hold(kPick, 1);
  rightClick(12, 10);
  const std::vector<std::string> door = told();
  ASSERT_EQ(door.size(), 1u) << "a door two cells away";
  EXPECT_TRUE(door[0] == placement_refusal::kStandNextToIt || door[0] == "That is out of reach.") << door[0];

  front(12, 10, kLever);
  rightClick(12, 10);
  EXPECT_EQ(told(), std::vector<std::string>{placement_refusal::kStandNextToIt}) << "a lever two cells away";

  // A sign under a roof, on a floor: a roof holds it no more than open air does.
  front(12, 10, 0);
  hold(kSignItem, 1);
  rightClick(12, 10);
  EXPECT_EQ(told(), std::vector<std::string>{placement_refusal::kNeedsBackWall});
  EXPECT_EQ(cell(12, 10).frontId(), 0);
  back(12, 10, kDirt);
  rightClick(12, 10);
  EXPECT_TRUE(told().empty()) << "a back wall holds it";
  EXPECT_EQ(cell(12, 10).frontId(), kSignItem);
}

// Every item of a placing kind, in open air, in a walled room and on a rock: where the preview
// shows it the click places it (one spent, in the way its block is placed); where it does not,
// the click places nothing, spends nothing and says one reason.
TEST_F(PlacedByClickTest, EveryPlaceableItemGoesWhereThePreviewShowsIt) {
  enum class Setting { OpenAir, Room, Rock };
  int placedSomewhere = 0, checked = 0;
  for (uint16_t id = 1; id < 4096; ++id) {
    const Item probe(id, 0, 1, 0, 0);
    if (itemDefinitionById(id) == nullptr || !isPlaceableItem(&probe)) continue;
    const uint16_t block = itemDefinitionById(id)->record.placesBlock();
    if (block == 0) continue;
    ++checked;
    bool placedOnce = false;
    for (Setting setting : {Setting::OpenAir, Setting::Room, Setting::Rock}) {
      freshWorld();
      if (setting == Setting::Room) {
        for (int32_t x = 11; x <= 13; ++x) {
          front(x, 9, kDirt);
          front(x, 11, kDirt);
        }
        front(11, 10, kDirt);
        front(13, 10, kDirt);
        back(12, 10, kDirt);
      } else if (setting == Setting::Rock) {
        front(12, 10, kDirt);
      }
      const MapBlock before = cell(12, 10);
      hold(id, 2);
      const PlacementWay way = placementWayOf(theWorld(), probe);
      const bool shown = previewShown(12, 10);
      told();
      rightClick(12, 10);
      const std::vector<std::string> lines = told();
      const MapBlock& after = cell(12, 10);
      SCOPED_TRACE("item " + std::to_string(id) + " block " + std::to_string(block) + " setting " +
                   std::to_string(static_cast<int>(setting)));
      if (!shown) {
        EXPECT_EQ(heldCount(), 2) << "nothing spent where nothing was shown";
        EXPECT_TRUE(after.front == before.front && after.back == before.back && after.decos == before.decos);
        EXPECT_EQ(lines.size(), 1u) << "one reason";
        continue;
      }
      placedOnce = true;
      EXPECT_EQ(heldCount(), 1) << "one spent where it was shown";
      EXPECT_TRUE(lines.empty()) << lines[0];
      switch (way) {
        case PlacementWay::CircuitPart: EXPECT_NE(circuitKind(after), circuit_kind::kNone); break;
        case PlacementWay::Decoration: EXPECT_TRUE(const_cast<MapBlock&>(after).findDeco(block)); break;
        case PlacementWay::Block:
          EXPECT_TRUE(after.front != before.front || after.back != before.back || after.decos != before.decos);
          break;
        case PlacementWay::None: ADD_FAILURE() << "shown for an item that places nothing"; break;
      }
    }
    if (placedOnce) ++placedSomewhere;
  }
  EXPECT_GT(checked, 500) << "the content's placeable items";
  EXPECT_GT(placedSomewhere, checked / 2);
}

}  // namespace
