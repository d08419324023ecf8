#include <gtest/gtest.h>

#include <memory>

#include "content/items/item.h"
#include "content/stats/player_stats_block.h"
#include "engine/base/random.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "tests/content/items/item_test_defs.h"

namespace {

constexpr uint16_t TOOL = 100, WEAPON = 101, BOW = 102, PLAIN = 200, VARIED = 201, BLOCK = 202,
                   VARIED_BLOCK = 203, ARMOR = 204;

class ItemStackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::randomSeed(7);
    ItemDef& tool = defs_.tool(TOOL, 1, 50, 2.0f, 3);
    tool.record.bytes[content::item_record::freeStack] = 1;
    defs_.tool(WEAPON, 5, 200, 8.0f, 2);
    defs_.item(BOW, 6);
    defs_.item(PLAIN, 0);
    defs_.item(VARIED, 0, 4);
    defs_.item(BLOCK, 0, 1, true);
    defs_.item(VARIED_BLOCK, 0, 4, true);
    defs_.buff(defs_.item(ARMOR, 2));
  }

  itemtest::Defs defs_;
};

TEST_F(ItemStackTest, MergingRefusesOverfullStacksAndJoinsThePartialTopUnitsOfTools) {
  Item full(BLOCK, 0, 500, 0, 0);
  const Item tooMany(BLOCK, 0, 500, 0, 0);
  EXPECT_FALSE(mergeItems(full, tooMany));
  EXPECT_EQ(full.count, 500);

  const struct { int count1, durability1, count2, durability2, count, durability; } tools[] = {
      {3, 20, 2, 25, 4, 45},
      {1, 900, 1, 900, 2, 50},  // far above the maximum of 50, as a damaged save might hold
  };
  for (const auto& t : tools) {
    Item a(TOOL, 0, t.count1, t.durability1, 0);
    ASSERT_TRUE(mergeItems(a, Item(TOOL, 0, t.count2, t.durability2, 0)));
    EXPECT_EQ(a.count, t.count);
    EXPECT_EQ(a.durability, t.durability) << "never overfills the top unit";
  }
}

TEST_F(ItemStackTest, StackingFollowsVariantsAndTheFreeStackFlag) {
  EXPECT_FALSE(Item(PLAIN, 0, 1, 0, 0).canStackWith(Item(PLAIN, 0, 1, 0, 0)));
  EXPECT_FALSE(Item(VARIED, 2, 1, 0, 0).canStackWith(Item(VARIED, 3, 1, 0, 0)));
  EXPECT_TRUE(Item(VARIED_BLOCK, 1, 1, 0, 0).canStackWith(Item(VARIED_BLOCK, 3, 1, 0, 0)));
  // The whole word takes part, not only the modifier byte.
  EXPECT_FALSE(Item(BLOCK, 0, 1, 0, 0x100).canStackWith(Item(BLOCK, 0, 1, 0, 0)));
}

TEST_F(ItemStackTest, LoadedItemsAreMadeFitToUse) {

  const ItemPtr lone = copyLoadedItem(Item(PLAIN, 0, 5, 0, 0));
  EXPECT_EQ(lone->count, 1);  // a stack that cannot form is not kept as one

  Item damaged(VARIED_BLOCK, 0, 1, 0, 0);
  damaged.variant = 200;
  const ItemPtr fixed = copyLoadedItem(damaged);
  EXPECT_EQ(fixed->variant, 0);
  const ItemPtr worn = copyLoadedItem(Item(TOOL, 0, 1, 30000, 0));
  EXPECT_EQ(worn->durability, 50);
}

TEST_F(ItemStackTest, IdsWithoutDefinitionAreHandledSafely) {
  for (uint16_t id : {uint16_t{4096}, uint16_t{0xFFFE}}) {
    const Item odd(id, -1, 3, -1, 5);
    EXPECT_EQ(odd.definition(), nullptr);
    EXPECT_EQ(odd.durability, 0);
    EXPECT_FALSE(odd.canStackWith(odd));
    EXPECT_FLOAT_EQ(odd.miningPower(nullptr), 1.25f);  // modifier 5 on the neutral power
    EXPECT_EQ(odd.statValue(0, 0), 0.0f);
    const ItemPtr loaded = copyLoadedItem(odd);
    EXPECT_EQ(loaded->id, id);  // kept as it came, so nothing is lost
  }
}

TEST_F(ItemStackTest, ConsumingRefillsTheNextUnit) {
  Item tools(TOOL, 0, 2, 3, 0);
  EXPECT_FALSE(tools.consumeOne());
  EXPECT_EQ(tools.count, 1);
  EXPECT_EQ(tools.durability, 50);
  Item nothing(BLOCK, 0, 0, 0, 0);
  EXPECT_TRUE(nothing.consumeOne());
  EXPECT_EQ(nothing.count, 0);  // never wraps around
}

TEST_F(ItemStackTest, MaximumDurabilityFollowsTheModifier) {
  defs_.tool(300, 1, 52429);
  defs_.item(302, 1);  // a tool without its record
  const struct { uint16_t id; uint32_t modifier; int max; } cases[] = {
      {TOOL, 1, 62}, {TOOL, 7, 37}, {300, 1, 65535}, {302, 1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(Item(c.id, 0, 1, 0, c.modifier).maxDurability(), c.max) << c.id << "/" << c.modifier;
  }
}

TEST_F(ItemStackTest, UseIntervalMiningPowerAndDamageByKind) {
  PlayerStatsBlock stats;
  stats.rangedSpeedBonus = 0.1f;
  stats.miningFactor = 2.0f;
  defs_.ranged(contentTables().itemDefs[BOW], 1.5f);
  EXPECT_FLOAT_EQ(Item(BOW, 0, 1, 0, 0).useInterval(&stats), 0.22f * 1.5f * 0.9f);
  defs_.swing(contentTables().itemDefs[BOW], 0.5f);  // a swing record wins over the ranged record
  EXPECT_FLOAT_EQ(Item(BOW, 0, 1, 0, 0).useInterval(&stats), 0.22f * 0.5f * 0.9f);

  EXPECT_FLOAT_EQ(Item(TOOL, 0, 1, 0, 5).miningPower(&stats), 5.0f);
  const DamageSpec weapon = Item(WEAPON, 0, 1, 0, 5).damageSpec(&stats);
  EXPECT_FLOAT_EQ(weapon.amount, 10.0f);
}

TEST_F(ItemStackTest, StatValuesTakeModifierAdjustments) {
  BuffSpec& buff = const_cast<BuffSpec&>(*contentTables().itemDefs[ARMOR].buff);
  buff.bytes[content::buff_record::armor] = 40;             // stat 0: 0.40
  buff.bytes[content::buff_record::resistance + 2] = 10;    // stat 3, sub 2: 0.10
  EXPECT_FLOAT_EQ(Item(ARMOR, 0, 1, 0, 6).statValue(0, 0), 0.50f);
  EXPECT_FLOAT_EQ(Item(ARMOR, 0, 1, 0, 1).statValue(3, 2), 0.35f);
}

TEST_F(ItemStackTest, WireFormRoundTripsAndRefusesShortInput) {
  const Item sent(TOOL, 0, 12, 33, 0xAABBCC05);
  engine::ByteWriter out;
  sent.write(out);
  ASSERT_EQ(out.size(), ITEM_WIRE_SIZE);
  engine::ByteReader in(out.data().data(), out.size());
  const Item received = Item::read(in);
  EXPECT_TRUE(in.ok());
  EXPECT_EQ(received.word, sent.word);
  for (size_t cut = 0; cut < ITEM_WIRE_SIZE; ++cut) {
    engine::ByteReader truncated(out.data().data(), cut);
    EXPECT_TRUE(Item::read(truncated).isNone());
    EXPECT_FALSE(truncated.ok());
  }
}

}  // namespace
