// The inventory: slot references, stacking to 999, where new items land, searches, bulk moves,
// equipment rules, what a death drops, and counting by an ingredient's equivalents.

#include "game/inventory/crafting_station.h"
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
  void set(SlotKind kind, int x, int y, Item* item) {
    inv().setSlot({kind, static_cast<uint8_t>(x), static_cast<uint8_t>(y)}, item);
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
  Item* stone = makeItem(kStone, 1);
  const SlotRef outside[] = {
      {SlotKind::Backpack, 6, 0}, {SlotKind::Backpack, 0, 6}, {SlotKind::Quick, 10, 0},
      {SlotKind::CraftGrid, 3, 0}, {SlotKind::Equipment, 5, 0}, {SlotKind::Equipment2, 200, 0},
      {SlotKind::SecondObject, 0, 0}, {SlotKind::Chest, 0, 0}, {SlotKind::TradeOffer, 0, 0},
      {SlotKind::Catalogue, 0, 0}, {SlotKind::None, 0, 0}, {static_cast<SlotKind>(99), 0, 0},
  };
  for (const SlotRef& ref : outside) {
    SCOPED_TRACE(static_cast<int>(ref.kind));
    inv().setSlot(ref, stone);
    EXPECT_EQ(inv().slotItem(ref), nullptr);
  }
  EXPECT_EQ(inv().countItems(kStone, false, true), 0u);
  freeItem(stone);
}

TEST_F(InventoryTest, SlotReferencesPackKindColumnAndRow) {
  const SlotRef ref{SlotKind::CraftGrid, 2, 1};
  EXPECT_EQ(ref.pack(), 2u | (2ull << 32) | (1ull << 40));
  EXPECT_EQ(SlotRef::unpack(ref.pack()), ref);
}

TEST_F(InventoryTest, QuickSlotsInUseStayWithinOneToTen) {
  const struct {
    uint32_t asked, kept;
  } cases[] = {{0, 1}, {1, 1}, {6, 6}, {10, 10}, {11, 10}, {0xFFFFFFFF, 10}};
  for (const auto& c : cases) {
    inv().setQuickSlotsInUse(c.asked);
    EXPECT_EQ(inv().quickSlotsInUse(), c.kept) << c.asked;
  }
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
  EXPECT_FALSE(inv().mergeSlots({SlotKind::Backpack, 4, 0}, {SlotKind::Backpack, 2, 0}));
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
  // Quick slot 5 is the last in use and stays empty: the backpack fills column by column.
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

TEST_F(InventoryTest, CountingAndTakingOneSearchBackpackThenQuickSlots) {
  set(SlotKind::Backpack, 2, 3, makeItem(kStone, 2));
  set(SlotKind::Quick, 4, 0, makeItem(kStone, 5));
  set(SlotKind::Equipment, 0, 0, makeItem(kStone, 7));
  EXPECT_EQ(inv().countItems(kStone, false, false), 7u);
  EXPECT_EQ(inv().countItems(kStone, false, true), 14u);
  EXPECT_EQ(inv().takeOne(kStone, false), (SlotRef{SlotKind::Backpack, 2, 3}));
  EXPECT_EQ(inv().takeOne(kStone, false), (SlotRef{SlotKind::Backpack, 2, 3}));
  EXPECT_EQ(slot(SlotKind::Backpack, 2, 3), nullptr);
  EXPECT_EQ(inv().takeOne(kStone, false), (SlotRef{SlotKind::Quick, 4, 0}));
  EXPECT_TRUE(inv().takeOne(kGem, false).isNone());
}

TEST_F(InventoryTest, CompactingMergesLaterStacksIntoEarlierOnes) {
  set(SlotKind::Backpack, 0, 0, makeItem(kStone, 10));
  set(SlotKind::Backpack, 5, 5, makeItem(kStone, 20));
  set(SlotKind::Backpack, 3, 0, makeItem(kGem, 1));
  inv().compactBackpack();
  EXPECT_EQ(slot(SlotKind::Backpack, 5, 5), nullptr);
  EXPECT_EQ(slot(SlotKind::Backpack, 0, 0)->count, 30);
  EXPECT_NE(slot(SlotKind::Backpack, 3, 0), nullptr);
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

TEST_F(InventoryTest, EquipmentAndTrinketTakeOnlyTheirKinds) {
  const Item helmet(kHelmet, 0, 1, 0, 0), ring(kRing, 0, 1, 0, 0), stone(kStone, 0, 1, 0, 0);
  const struct {
    SlotRef slot;
    const Item* item;
    bool accepted;
  } cases[] = {
      {{SlotKind::Equipment, 0, 0}, &helmet, true},  {{SlotKind::Equipment2, 0, 0}, &helmet, true},
      {{SlotKind::Equipment, 4, 0}, &helmet, false}, {{SlotKind::Equipment, 0, 0}, &stone, false},
      {{SlotKind::Equipment, 3, 0}, nullptr, true},  {{SlotKind::Trinket, 0, 0}, &ring, true},
      {{SlotKind::Trinket, 0, 0}, &helmet, false},   {{SlotKind::Backpack, 0, 0}, &ring, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(inv().slotAcceptsItem(c.slot, c.item), c.accepted)
        << static_cast<int>(c.slot.kind) << " x " << int{c.slot.x};
  }
}

TEST_F(InventoryTest, WearingAnItemRecordsTheStatistic) {
  set(SlotKind::Equipment, 0, 0, makeItem(kHelmet, 1));
  set(SlotKind::Backpack, 0, 0, makeItem(kHelmet, 1));
  ASSERT_EQ(events.stats.size(), 1u);
  EXPECT_EQ(events.stats[0].id, Inventory::kStatItemWorn);
  EXPECT_EQ(events.stats[0].value, kHelmet);
}

TEST_F(InventoryTest, TheCraftingStationComesFromAStationBlock) {
  BlockPropsTable& props = world->map().mutableProps();
  props.mutableRow(34).flags = bits({36});
  props.mutableRow(1304 & 0xFFF).flags = bits({36});
  put(10, 5, 34);
  inv().setCraftingStation(nullptr, &at(10, 5), props);
  EXPECT_EQ(inv().station(), 2);
  put(10, 5, world_test::kDirt);
  inv().setCraftingStation(nullptr, &at(10, 5), props);
  EXPECT_EQ(inv().station(), 0);
  const Item anvil(1304, 0, 1, 0, 0);  // an item id read as a block id by its low 12 bits
  inv().setCraftingStation(&anvil, nullptr, props);
  EXPECT_EQ(inv().station(), 0);  // flagged, but no station row has that block
  EXPECT_EQ(craftingStationByKind(99).kind, 0);
}

TEST_F(InventoryTest, DeathDropsTheAreasOfTheDifficulty) {
  const struct {
    int level;
    uint8_t quick, backpack, worn;
    std::vector<uint16_t> dropped;
  } levels[] = {
      {0, 0, 0, 0, {}},
      {2, 0, 1, 0, {kStone, kGem}},
      {3, 0, 1, 1, {kStone, kGem, kHelmet, kRing}},
      {4, 1, 1, 1, {kStone, kGem, kHelmet, kRing, kPick}},
  };
  for (const auto& level : levels) {
    SCOPED_TRACE(level.level);
    set(SlotKind::Backpack, 1, 1, makeItem(kStone, 3));
    set(SlotKind::CraftGrid, 0, 0, makeItem(kGem, 1));
    set(SlotKind::Equipment, 0, 0, makeItem(kHelmet, 1));
    set(SlotKind::Trinket, 0, 0, makeItem(kRing, 1));
    set(SlotKind::Quick, 0, 0, makeItem(kPick, 1));
    DifficultyRow row;
    row.bytes[DropAreas::kQuickByte] = level.quick;
    row.bytes[DropAreas::kBackpackByte] = level.backpack;
    row.bytes[DropAreas::kWornByte] = level.worn;
    std::vector<uint16_t> dropped;
    inv().forEachDroppedSlot(row, [&dropped](Item*& item) {
      dropped.push_back(item->id);
      freeItem(std::exchange(item, nullptr));
    });
    EXPECT_EQ(dropped, level.dropped);
    // What stayed goes back to the pool before the next level fills the slots again.
    for (SlotKind kind : {SlotKind::Backpack, SlotKind::CraftGrid, SlotKind::Equipment, SlotKind::Trinket, SlotKind::Quick}) {
      const int x = kind == SlotKind::Backpack ? 1 : 0;
      const int y = kind == SlotKind::Backpack ? 1 : 0;
      freeItem(slot(kind, x, y));
      set(kind, x, y, nullptr);
    }
  }
}

// A family's members count for the wanted id only when equivalents are allowed, and never the
// other way round.
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
  // Taking one uses the first matching stack: the backpack before the quick slots.
  EXPECT_EQ(inv().takeOne(kPlanks, false), (SlotRef{SlotKind::Backpack, 0, 0}));
  EXPECT_EQ(inv().takeOne(kPlanks, false), (SlotRef{SlotKind::Backpack, 0, 0}));
  EXPECT_TRUE(inv().takeOne(kPlanks, false).isNone());
  EXPECT_EQ(inv().takeOne(kPlanks, true), (SlotRef{SlotKind::Backpack, 1, 0}));
  EXPECT_EQ(slot(SlotKind::Backpack, 1)->count, 2);
}

}  // namespace
}  // namespace game_test
