// Stacks dragged between the inventory view's cells: the worn slots on the equipment page take a
// stack dragged from the backpack, the drop marker shows only over a cell that takes the stack, a
// stack joins a like one, a stack let go outside the cells is thrown, and a drag through the
// view's controls reaches the same moves. A setting dropped on an item encrusts it, and a paint
// dropped on a firework fills its next colour; filled in her hand, the game hears what she holds.

#include <gtest/gtest.h>

#include "tests/support/drop_marker.h"

#include <algorithm>
#include <string>
#include <vector>

#include "content/items/item_pool.h"
#include "engine/base/random.h"
#include "game/inventory/inventory.h"
#include "game/stats/stats_store.h"
#include "game/rules/rule_entities.h"
#include "platform/controls/abstract_controls.h"
#include "tests/ui/play_fixture.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"
#include "world/plants/plant_genes.h"
#include "world/rules/game.h"

namespace {

using game_test::kHelmet;
using game_test::kRing;
using game_test::kStone;
using game_test::makeItem;

constexpr SlotRef kPack00{SlotKind::Backpack, 0, 0};
constexpr SlotRef kPack10{SlotKind::Backpack, 1, 0};
constexpr SlotRef kWorn0{SlotKind::Equipment, 0, 0};
constexpr SlotRef kLook0{SlotKind::Equipment2, 0, 0};
constexpr SlotRef kTrinket{SlotKind::Trinket, 0, 0};

class ThrownItems final : public NullRuleEntities {
 public:
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2, float, float angle, uint8_t) override {
    thrown.push_back(item->id);
    angles.push_back(angle);
    return nullptr;
  }
  std::vector<uint16_t> thrown;
  std::vector<float> angles;
};

class InventoryDragTest : public ui_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    views().switchTo(ViewId::Main);
    rules.setEntities(&thrownItems);
  }
  InventoryView& view() { return views().inventoryView(); }
  Inventory& items() { return *local->inventory; }
  void open(uint8_t page) {
    views().push(ViewId::Inventory);
    view().setPage(page);
  }
  engine::Vec2 at(SlotRef slot) {
    InventorySprite* sprite = view().spriteForSlot(slot);
    EXPECT_NE(sprite, nullptr) << "no cell of kind " << static_cast<int>(slot.kind);
    return sprite != nullptr ? sprite->getPosition() : engine::Vec2();
  }
  // The left button down on the cell and the pointer off past the drag threshold.
  void pickUp(SlotRef slot) {
    view().mouseButton(at(slot), kel::MOUSE_BUTTON_LEFT, false);
    view().drag(at(slot) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  }
  void moveTo(const engine::Vec2& point) { view().drag(point, kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Move); }
  void letGo(const engine::Vec2& point) { view().drag(point, kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End); }
  void dragStack(SlotRef from, SlotRef to) {
    pickUp(from);
    moveTo(at(to));
    letGo(at(to));
  }
  uint16_t idIn(SlotRef slot) {
    const Item* item = items().slotItem(slot);
    return item != nullptr && !item->isNone() ? item->id : 0;
  }
  uint16_t countIn(SlotRef slot) {
    const Item* item = items().slotItem(slot);
    return item != nullptr && !item->isNone() ? item->count : 0;
  }

  ThrownItems thrownItems;
};

TEST_F(InventoryDragTest, TheEquipmentPageShowsTheWornSlotsBesideTheBackpack) {
  items().setSlot(kLook0, makeItem(kHelmet, 1));
  open(InventoryView::kEquipment);
  EXPECT_EQ(view().grid().sprites().size(), 10u + 36u + 5u + 5u + 1u);
  EXPECT_EQ(view().spriteForSlot(kLook0)->slotItem(), items().slotItem(kLook0));
  // The worn column stands right of the backpack, and the list right of every cell.
  EXPECT_GT(at(kWorn0).x, at({SlotKind::Backpack, 5, 0}).x);
  EXPECT_EQ(view().list().rowAt(at(kTrinket)), -1);
  view().setPage(InventoryView::kBackpack);
  EXPECT_EQ(view().spriteForSlot(kWorn0), nullptr) << "the backpack page has no worn cells";
}

TEST_F(InventoryDragTest, AStackDraggedFromTheBackpackToAWornSlotIsWorn) {
  items().setSlot(kPack00, makeItem(kHelmet, 1));
  open(InventoryView::kEquipment);
  pickUp(kPack00);
  EXPECT_TRUE(view().isDragging());
  moveTo(at(kWorn0));
  EXPECT_TRUE(testsupport::dropMarkerShown(view())) << "the worn slot takes a helmet";
  letGo(at(kWorn0));
  EXPECT_FALSE(view().isDragging());
  EXPECT_FALSE(testsupport::dropMarkerShown(view()));
  EXPECT_EQ(idIn(kWorn0), kHelmet);
  EXPECT_EQ(idIn(kPack00), 0);
  EXPECT_NE(std::find(events.stats.begin(), events.stats.end(),
                      game_test::RecordingEvents::Stat{Inventory::kStatItemWorn, kHelmet}),
            events.stats.end())
      << "wearing it is counted";
}

TEST_F(InventoryDragTest, TheMarkerShowsOnlyOverACellThatTakesTheStack) {
  items().setSlot(kPack00, makeItem(kStone, 3));
  open(InventoryView::kEquipment);
  pickUp(kPack00);
  moveTo(at(kTrinket));
  EXPECT_FALSE(testsupport::dropMarkerShown(view())) << "the trinket slot takes only trinkets";
  letGo(at(kTrinket));
  EXPECT_EQ(countIn(kPack00), 3) << "refused: the stack stays";
  EXPECT_EQ(idIn(kTrinket), 0);

  items().setSlot(kPack10, makeItem(kRing, 1));
  dragStack(kPack10, kTrinket);
  EXPECT_EQ(idIn(kTrinket), kRing);
  dragStack(kTrinket, kPack10);
  EXPECT_EQ(idIn(kPack10), kRing) << "the trinket is taken off again";
  EXPECT_EQ(idIn(kTrinket), 0);
}

TEST_F(InventoryDragTest, ALikeStackJoinsAndAnotherTradesPlaces) {
  items().setSlot(kPack00, makeItem(kStone, 3));
  items().setSlot(kPack10, makeItem(kStone, 4));
  items().setSlot({SlotKind::Quick, 2, 0}, makeItem(kRing, 1));
  open(InventoryView::kBackpack);
  dragStack(kPack00, kPack10);
  EXPECT_EQ(countIn(kPack10), 7);
  EXPECT_EQ(countIn(kPack00), 0);
  dragStack(kPack10, {SlotKind::Quick, 2, 0});
  EXPECT_EQ(idIn({SlotKind::Quick, 2, 0}), kStone);
  EXPECT_EQ(idIn(kPack10), kRing);
  // A press and release without a drag still selects, as a click does.
  view().mouseButton(at(kPack10), kel::MOUSE_BUTTON_LEFT, false);
  view().mouseButton(at(kPack10), kel::MOUSE_BUTTON_LEFT, true);
  EXPECT_EQ(view().selectedSprite(), view().spriteForSlot(kPack10));
}

TEST_F(InventoryDragTest, AStackLetGoOutsideTheCellsIsThrown) {
  items().setSlot(kPack00, makeItem(kStone, 5));
  open(InventoryView::kBackpack);
  pickUp(kPack00);
  const engine::Vec2 beside = at(kPack00) - engine::Vec2(0, 8 * view().grid().pitch());
  moveTo(beside);
  EXPECT_FALSE(testsupport::dropMarkerShown(view()));
  letGo(beside);
  EXPECT_EQ(thrownItems.thrown, std::vector<uint16_t>{kStone});
  EXPECT_EQ(idIn(kPack00), 0);
  // Dragging an empty cell moves nothing and throws nothing.
  pickUp(kPack00);
  EXPECT_FALSE(view().isDragging());
  letGo(beside);
  EXPECT_EQ(thrownItems.thrown.size(), 1u);
}

TEST_F(InventoryDragTest, TheViewsControlsDeliverTheDrag) {
  items().setSlot(kPack00, makeItem(kHelmet, 1));
  open(InventoryView::kEquipment);
  kel::AbstractControls* controls = &view().controls();
  controls->mouseButton(at(kPack00), kel::MOUSE_BUTTON_LEFT, false);
  controls->mouseDrag(at(kPack00) + engine::Vec2(6, 0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Begin);
  controls->mouseDrag(at(kWorn0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::Move);
  EXPECT_TRUE(testsupport::dropMarkerShown(view()));
  controls->mouseDrag(at(kWorn0), kel::MOUSE_BUTTON_LEFT, kel::DragPhase::End);
  EXPECT_EQ(idIn(kWorn0), kHelmet);
}

TEST_F(InventoryDragTest, ASeedDroppedOnASeedOfOtherGenesIsCrossedWithIt) {
  game_test::defineItem(kSeedItem, 4, true);
  constexpr uint16_t kFirst = 0x1234, kSecond = 0x0ACE;
  items().setSlot(kPack00, makeSeedItem(2, 0xFFFF, kFirst | kSeedFromPlantMark));
  items().setSlot(kPack10, makeSeedItem(1, 0xFFFF, kSecond | kSeedFromPlantMark));
  open(InventoryView::kBackpack);
  engine::randomSeed(5);
  const uint16_t child = mixPlantGenes(kFirst, kSecond);
  engine::randomSeed(5);
  pickUp(kPack00);
  moveTo(at(kPack10));
  EXPECT_TRUE(testsupport::dropMarkerShown(view())) << "a seed of other genes takes it";
  letGo(at(kPack10));
  EXPECT_EQ(countIn(kPack00), 1);
  EXPECT_EQ(view().status(), "Mixed: " + seedDisplayName(child));
  EXPECT_EQ(countIn(kPack10), 0) << "the single seed was used";
  int madeSeeds = 0;
  for (uint8_t x = 0; x < Inventory::kQuickSlots; ++x) {
    const Item* item = items().slotItem({SlotKind::Quick, x, 0});
    if (item != nullptr && item->id == kSeedItem && (item->word & 0xFFFF) == (child | kSeedFromPlantMark)) ++madeSeeds;
  }
  EXPECT_EQ(madeSeeds, 1) << "the new seed went where the inventory had room";
}

TEST_F(InventoryDragTest, ASettingDroppedOnAWornItemEncrustsItOnce) {
  constexpr uint16_t kRubySetting = 1543, kSapphireSetting = 1607;
  game_test::defineItem(kRubySetting, 2, true);
  game_test::defineItem(kSapphireSetting, 2, true);
  items().setSlot(kPack00, makeItem(kRubySetting, 2));
  items().setSlot(kPack10, makeItem(kHelmet, 1));
  open(InventoryView::kBackpack);
  pickUp(kPack00);
  moveTo(at(kPack10));
  EXPECT_TRUE(testsupport::dropMarkerShown(view())) << "a helmet takes a setting";
  letGo(at(kPack10));
  EXPECT_EQ(items().slotItem(kPack10)->modifier(), 1) << "the ruby's modifier";
  EXPECT_EQ(countIn(kPack00), 1) << "one setting was used";
  EXPECT_NE(std::find(events.stats.begin(), events.stats.end(),
                      game_test::RecordingEvents::Stat{stat_number::kEncrusted, kHelmet}),
            events.stats.end());

  // Encrusted once, it takes no other: the stacks trade places instead.
  items().setSlot({SlotKind::Backpack, 2, 0}, makeItem(kSapphireSetting, 1));
  dragStack({SlotKind::Backpack, 2, 0}, kPack10);
  EXPECT_EQ(idIn(kPack10), kSapphireSetting);
  EXPECT_EQ(items().slotItem({SlotKind::Backpack, 2, 0})->modifier(), 1);
  // A stone takes no setting either.
  items().setSlot({SlotKind::Backpack, 3, 0}, makeItem(kStone, 5));
  dragStack(kPack00, {SlotKind::Backpack, 3, 0});
  EXPECT_EQ(idIn({SlotKind::Backpack, 3, 0}), kRubySetting);
  EXPECT_EQ(items().slotItem(kPack00)->modifier(), 0);

  // Tapping a setting says how it is used.
  view().spriteForSlot({SlotKind::Backpack, 3, 0})->onActivate();
  EXPECT_EQ(view().status(), "Drag the setting onto a tool, a weapon or a worn item to encrust it.");
}

TEST_F(InventoryDragTest, PaintsDroppedOnAFireworkFillItsColoursInTurnUpToFour) {
  constexpr uint16_t kFirework = 1042;
  constexpr uint16_t kWhitePaint = 39, kRedPaint = 359, kYellowPaint = 935;  // colours 1, 6 and 15
  game_test::defineItem(kFirework, 6, true);
  for (uint16_t paint : {kWhitePaint, kRedPaint, kYellowPaint}) game_test::defineItem(paint, 3, true);
  items().setSlot(kPack00, makeItem(kRedPaint, 5));
  items().setSlot(kPack10, makeItem(kFirework, 1));
  open(InventoryView::kBackpack);
  pickUp(kPack00);
  moveTo(at(kPack10));
  EXPECT_TRUE(testsupport::dropMarkerShown(view())) << "a firework takes a paint";
  letGo(at(kPack10));
  EXPECT_EQ(items().slotItem(kPack10)->word, 6u) << "red is the sixth paint";
  EXPECT_EQ(countIn(kPack00), 4) << "one paint was used";

  const SlotRef kPack20{SlotKind::Backpack, 2, 0};
  items().setSlot(kPack20, makeItem(kYellowPaint, 3));
  dragStack(kPack20, kPack10);
  items().setSlot(kPack20, makeItem(kWhitePaint, 1));
  dragStack(kPack20, kPack10);
  EXPECT_EQ(idIn(kPack20), 0) << "the last white paint was used up";
  dragStack(kPack00, kPack10);
  EXPECT_EQ(items().slotItem(kPack10)->word, 0x61F6u) << "each colour in the next place";
  EXPECT_EQ(countIn(kPack00), 3);

  // Full, it takes no more: the paint stays where it was.
  dragStack(kPack00, kPack10);
  EXPECT_EQ(items().slotItem(kPack10)->word, 0x61F6u);
  EXPECT_EQ(countIn(kPack00), 3);
  EXPECT_EQ(view().status(), "The firework holds four colours already.");

  // One of a stack is filled and goes to a free cell; the rest stay empty.
  items().setSlot(kPack10, makeItem(kFirework, 3));
  dragStack(kPack00, kPack10);
  EXPECT_EQ(countIn(kPack10), 2);
  EXPECT_EQ(items().slotItem(kPack10)->word, 0u);
  uint32_t filled = 0;
  for (auto area : {Inventory::Area::Quick, Inventory::Area::Backpack}) {
    for (const ItemPtr& item : items().area(area)) {
      if (item != nullptr && item->id == kFirework && item->word == 6u) filled += item->count;
    }
  }
  EXPECT_EQ(filled, 1u) << "one red firework in a cell of its own";

  // Tapping a firework says how it is filled.
  view().spriteForSlot(kPack10)->onActivate();
  EXPECT_EQ(view().status(), "Drag a paint onto the firework to fill it with its colour.");
}

}  // namespace

namespace {

// What a joined game is told of a filling and of the held stack, in order: 'f' a filling, else
// the word of the firework held when the held stack was sent.
class FillingReports final : public NullGame {
 public:
  explicit FillingReports(const Player& player) : player_(player) {}
  void reportFireworkFilled(uint16_t, uint32_t) override { heard.push_back('f'); }
  void sendHeldItem() override {
    const Item* held = player_.heldItem();
    heard.push_back(held != nullptr ? static_cast<char>('0' + held->word) : '-');
  }
  std::string heard;

 private:
  const Player& player_;
};

}  // namespace

TEST_F(InventoryDragTest, AFireworkFilledInHerHandIsTheHeldStackTheGameHearsOfAfterTheFilling) {
  constexpr uint16_t kFirework = 1042, kRedPaint = 359;  // red: colour 6
  game_test::defineItem(kFirework, 6, true);
  game_test::defineItem(kRedPaint, 3, true);
  const SlotRef hand{SlotKind::Quick, 0, 0};
  items().setSlot(hand, makeItem(kFirework, 1));
  items().setSlot(kPack00, makeItem(kRedPaint, 1));
  items().select(0);
  FillingReports joined(*local);
  GameInterface* const played = local->game;
  local->game = &joined;
  open(InventoryView::kBackpack);
  dragStack(kPack00, hand);
  local->game = played;
  EXPECT_EQ(items().slotItem(hand)->word, 6u);
  EXPECT_EQ(joined.heard, "f6") << "the host hears the filling, then the filled firework she holds";
}
