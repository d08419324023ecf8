// The inventory: slot references, stacking to 999, where new items land, the craft grid's return,
// what a death drops, and counting by an ingredient's equivalents.

#include "game/inventory/drop_areas.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

class InventoryTest : public GameTest {
 protected:
  Inventory& inv() { return *player->inventory; }
  Item* slot(SlotKind kind, int x, int y = 0) {
    return inv().slotItem({kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
  }
  void set(SlotKind kind, int x, int y, ItemPtr item) {
    inv().setSlot({kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)}, std::move(item));
  }
  SlotRef store(uint16_t id, uint16_t count, bool* fresh = nullptr) {
    Item item(id, 0, count, 0, 0);
    bool newSlot = false;
    const SlotRef where = inv().findSlotFor(&item, newSlot);
    if (fresh != nullptr) *fresh = newSlot;
    return where;
  }
};

TEST_F(InventoryTest, ReferencesOutsideTheirAreaReadEmptyAndAreNeverWritten) {
  const SlotRef outside[] = {{SlotKind::Backpack, 0, 6},      {SlotKind::Quick, 10, 0},
                             {SlotKind::CraftGrid, 3, 0},     {SlotKind::Equipment2, 200, 0},
                             {SlotKind::Chest, 0, 0},         {static_cast<SlotKind>(99), 0, 0}};
  for (const SlotRef& ref : outside) {
    SCOPED_TRACE(static_cast<int>(ref.kind));
    inv().setSlot(ref, makeItem(kStone, 1));  // refused: back to the pool
    EXPECT_EQ(inv().slotItem(ref), nullptr);
  }
  EXPECT_EQ(inv().countItems(kStone, false, true), 0u);
}

TEST_F(InventoryTest, MergingFillsTheDestinationToExactly999) {
  set(SlotKind::Backpack, 0, 0, makeItem(kStone, 600));
  set(SlotKind::Backpack, 1, 0, makeItem(kStone, 500));
  EXPECT_TRUE(inv().mergeSlots({SlotKind::Backpack, 0, 0}, {SlotKind::Backpack, 1, 0}));
  EXPECT_EQ(slot(SlotKind::Backpack, 1)->count, 999);
  EXPECT_EQ(slot(SlotKind::Backpack, 0)->count, 101);
  set(SlotKind::Backpack, 2, 0, makeItem(kStone, 1));
  EXPECT_TRUE(inv().mergeSlots({SlotKind::Backpack, 0, 0}, {SlotKind::Backpack, 2, 0}));
  EXPECT_EQ(slot(SlotKind::Backpack, 0), nullptr);
  EXPECT_EQ(slot(SlotKind::Backpack, 2)->count, 102);
  set(SlotKind::Backpack, 3, 0, makeItem(kGem, 1));
  EXPECT_FALSE(inv().mergeSlots({SlotKind::Backpack, 3, 0}, {SlotKind::Backpack, 2, 0}));
}

TEST_F(InventoryTest, NewItemsLandByTheQuickSlotRules) {
  inv().setQuickSlotsInUse(6);
  inv().setKeepLastSlotEmpty(true);
  bool fresh = false;
  EXPECT_EQ(store(kPick, 1, &fresh), (SlotRef{SlotKind::Quick, 0, 0}));
  EXPECT_TRUE(fresh);
  EXPECT_EQ(store(kStone, 5), (SlotRef{SlotKind::Quick, 1, 0}));
  EXPECT_EQ(store(kStone, 7, &fresh), (SlotRef{SlotKind::Quick, 1, 0}));
  EXPECT_FALSE(fresh);
  EXPECT_EQ(slot(SlotKind::Quick, 1)->count, 12);
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(store(kGem, 1), (SlotRef{SlotKind::Quick, static_cast<uint8_t>(i), 0}));
  EXPECT_EQ(store(kGem, 1), (SlotRef{SlotKind::Backpack, 0, 0}));
  EXPECT_EQ(store(kGem, 1), (SlotRef{SlotKind::Backpack, 0, 1}));
  EXPECT_EQ(slot(SlotKind::Quick, 5), nullptr);
}

TEST_F(InventoryTest, AFullInventoryFallsBackToTheCraftGridUnlessBlocked) {
  inv().setQuickSlotsInUse(1);
  for (int i = 0; i < 36; ++i) store(kGem, 1);
  // The craft grid and quick slot 0, which takes only tools and weapons, are still free.
  EXPECT_EQ(inv().countFreeSlots(), 10u);
  EXPECT_TRUE(inv().hasRoomFor(Item(kGem, 0, 1, 0, 0)));
  player->stateWord = Player::kCraftGridBlockedBit;
  EXPECT_TRUE(store(kGem, 1).isNone());
  EXPECT_FALSE(inv().hasRoomFor(Item(kGem, 0, 1, 0, 0)));
  player->stateWord = 0;
  EXPECT_EQ(store(kGem, 1), (SlotRef{SlotKind::CraftGrid, 0, 0}));
}

void* noItem() { return nullptr; }
void* throwingSource() { throw std::bad_alloc(); }

TEST_F(InventoryTest, NoCopyMeansNoSlotSoNothingVanishes) {
  for (Inventory::ItemSource source : {&noItem, &throwingSource}) {
    inv().setItemSource(source);
    bool fresh = true;
    EXPECT_TRUE(store(kGem, 1, &fresh).isNone());
    EXPECT_FALSE(fresh);
    EXPECT_EQ(inv().countItems(kGem, false, true), 0u);
  }
}

TEST_F(InventoryTest, CraftGridItemsReturnToTheBackpack) {
  set(SlotKind::Backpack, 0, 0, makeItem(kStone, 10));
  set(SlotKind::CraftGrid, 1, 1, makeItem(kStone, 5));
  set(SlotKind::CraftGrid, 2, 2, makeItem(kGem, 1));
  inv().returnCraftGridItems();
  EXPECT_EQ(slot(SlotKind::Backpack, 0, 0)->count, 15);
  EXPECT_EQ(slot(SlotKind::Backpack, 0, 1)->id, kGem);
  EXPECT_EQ(slot(SlotKind::CraftGrid, 1, 1), nullptr);
  EXPECT_EQ(slot(SlotKind::CraftGrid, 2, 2), nullptr);
}

TEST_F(InventoryTest, WornSlotsTakeTheirOwnKindsAndCanBeEmptied) {
  const ItemPtr helmet = makeItem(kHelmet, 1);
  const ItemPtr ring = makeItem(kRing, 1);
  EXPECT_TRUE(inv().slotAcceptsItem({SlotKind::Equipment, 0, 0}, helmet.get()));
  EXPECT_FALSE(inv().slotAcceptsItem({SlotKind::Equipment, 1, 0}, helmet.get())) << "another piece's slot";
  EXPECT_TRUE(inv().slotAcceptsItem({SlotKind::Trinket, 0, 0}, ring.get()));
  EXPECT_FALSE(inv().slotAcceptsItem({SlotKind::Trinket, 0, 0}, helmet.get()));
  // Taking a worn item off leaves its slot empty, which every worn slot allows.
  for (SlotKind kind : {SlotKind::Equipment, SlotKind::Equipment2, SlotKind::Trinket}) {
    EXPECT_TRUE(inv().slotAcceptsItem({kind, 0, 0}, nullptr)) << static_cast<int>(kind);
  }
}

TEST_F(InventoryTest, DeathDropsTheAreasOfTheDifficulty) {
  set(SlotKind::Backpack, 1, 1, makeItem(kStone, 3));
  set(SlotKind::CraftGrid, 0, 0, makeItem(kGem, 1));
  set(SlotKind::Equipment, 0, 0, makeItem(kHelmet, 1));
  set(SlotKind::Trinket, 0, 0, makeItem(kRing, 1));
  set(SlotKind::Quick, 0, 0, makeItem(kPick, 1));
  DifficultyRow row;
  row.bytes[difficulty_record::dropsBackpack] = 1;
  row.bytes[difficulty_record::dropsWorn] = 1;
  std::vector<uint16_t> dropped;
  inv().forEachDroppedSlot(row, [&dropped](ItemPtr item) { dropped.push_back(item->id); });
  EXPECT_EQ(dropped, (std::vector<uint16_t>{kStone, kGem, kHelmet, kRing}))
      << "the quick slots stay";
}

TEST_F(InventoryTest, AFamilyCountsAndIsTakenForItsWantedIdOnlyWithEquivalents) {
  constexpr uint16_t kPlanks = 45, kBirchPlanks = 109, kDarkPlanks = 173;
  for (uint16_t id : {kPlanks, kBirchPlanks, kDarkPlanks}) defineItem(id, 4, true);
  set(SlotKind::Backpack, 0, 0, makeItem(kPlanks, 2));
  set(SlotKind::Backpack, 1, 0, makeItem(kBirchPlanks, 3));
  set(SlotKind::Quick, 2, 0, makeItem(kDarkPlanks, 4));
  set(SlotKind::Backpack, 2, 0, makeItem(kStone, 5));
  const struct {
    uint16_t wanted;
    bool equivalents;
    uint32_t count;
  } cases[] = {{kPlanks, false, 2}, {kPlanks, true, 9}, {kBirchPlanks, true, 3}, {kStone, true, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(inv().countItems(c.wanted, c.equivalents, false), c.count) << c.wanted << " " << c.equivalents;
  }
  EXPECT_EQ(inv().takeOne(kPlanks, false), (SlotRef{SlotKind::Backpack, 0, 0}));
  EXPECT_EQ(inv().takeOne(kPlanks, false), (SlotRef{SlotKind::Backpack, 0, 0}));
  EXPECT_EQ(inv().takeOne(kPlanks, true), (SlotRef{SlotKind::Backpack, 1, 0}));
  EXPECT_EQ(slot(SlotKind::Backpack, 1)->count, 2);
}

}  // namespace
}  // namespace game_test
