// What a refused right click says: each thing that stops the held item has its own short text, so
// the player knows what to change (an empty hand for fruit, the liquid, the floor, who stands there).

#include <gtest/gtest.h>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "tests/game/content_rows.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/placement_refusal.h"
#include "world/map/world_map.h"
#include "world/placement/placement_checks.h"

namespace {

using game_test::kPick;
using namespace placement_refusal;

constexpr uint16_t kFruitBush = 700, kLamp = 701, kLampItem = 702, kShelf = 703, kPaint = 704, kPaintItem = 705,
                   kPlanks = 706;
constexpr uint8_t kBlockItemKind = 4;
constexpr uint8_t kWater = 1 << 6 | 4;

class PlacementRefusalTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    BlockPropsTable& props = theWorld().map().mutableProps();
    props.mutableRow(0).transparency = 1;  // the air holds nothing up
    props.mutableRow(kFruitBush) = {.flags = uint64_t{1} << 30, .transparency = 1};
    // Not in water, and standing on something.
    props.mutableRow(kLamp) = {.flags = uint64_t{1} << 14 | uint64_t{1} << 34, .transparency = 1};
    ItemDef& lamp = test_rows::defineItem(kLampItem, kBlockItemKind);
    test_rows::putU16(lamp.record, content::item_record::placesBlock, kLamp);
    // A paint: a decoration of its own kind that only blocks taking paint accept.
    props.mutableRow(kShelf) = {.flags = uint64_t{1} << 41 | uint64_t{1} << 23, .transparency = 1};
    props.mutableRow(kPlanks) = {.flags = uint64_t{1} << 40 | uint64_t{1} << 23, .transparency = 0};
    props.mutableRow(kPaint) = {.flags = uint64_t{1} << 39, .transparency = 3};
    ItemDef& paint = test_rows::defineItem(kPaintItem, kBlockItemKind);
    test_rows::putU16(paint.record, content::item_record::placesBlock, kPaint);
  }
  const char* refusal(int32_t x, int32_t y, const Item& held, bool playerThere = false) {
    return placementRefusal(theWorld(), cell(x, y), held, playerThere);
  }
};

TEST_F(PlacementRefusalTest, FruitAsksForAnEmptyHandAndOtherItemsCannotBePlaced) {
  cell(12, 10).setLayer(kFruitBush, 0, MapBlock::kFront);
  const Item pick(kPick, 0, 1, 0, 0);
  EXPECT_STREQ(refusal(12, 10, pick), kFruitWantsEmptyHand);
  EXPECT_STREQ(refusal(13, 10, pick), kCannotPlace);
}

TEST_F(PlacementRefusalTest, ABlockItemSaysWhatStandsInItsWay) {
  const Item lamp(kLampItem, 0, 1, 0, 0);
  EXPECT_STREQ(refusal(12, 20, lamp, true), kYouAreInTheWay);
  cell(12, 20).liquid = kWater;
  EXPECT_STREQ(refusal(12, 20, lamp), placement_text::kNotInWater);
  cell(12, 20).liquid = 0;
  cell(12, 19).setLayer(0, 0, MapBlock::kFront);
  EXPECT_STREQ(refusal(12, 20, lamp), kNeedsFloor) << "nothing under the cell";
}

TEST_F(PlacementRefusalTest, PaintHeldToAShelfSaysTheShelfTakesNoPaint) {
  const Item paint(kPaintItem, 0, 1, 0, 0);
  cell(12, 20).setLayer(kShelf, 0, MapBlock::kFront);
  EXPECT_STREQ(refusal(12, 20, paint), kCannotBePainted) << "not that the cell is taken";
  cell(12, 20).setLayer(kPlanks, 0, MapBlock::kFront);
  EXPECT_STRNE(refusal(12, 20, paint), kCannotBePainted) << "planks take paint";
}

}  // namespace
