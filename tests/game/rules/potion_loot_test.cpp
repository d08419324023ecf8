// A loot entry of the category kind gives a potion with a random effect, made by the entry's
// recipe byte: the potion of a block's loot is dropped with a value its potion item names, the
// bottle and second level the recipe chose and a drawn first level.

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "content/format/content_format.h"
#include "content/format/record_layout.h"
#include "content/items/item_pool.h"
#include "content/potions/potion_table.h"
#include "content/tables/loot_table.h"
#include "engine/base/random.h"
#include "tests/game/game_fixture.h"
#include "world/cells/block_flags.h"

namespace game_test {
namespace {

constexpr uint16_t kChestBlock = 40;
// Any potion (category 4), bottle kind 1, second level 0: the recipe the content's treasure
// tables use.
constexpr uint8_t kAnyPotionRecipe = 0x0C;
// Defensive potions only (category 1), bottle kind 2, second level 3.
constexpr uint8_t kDefensiveRecipe = 0x01 | (2 << 3) | (3 << 5);

class RecordingPotionDrops final : public NullRuleEntities {
 public:
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override {
    dropped.push_back({item->id, static_cast<uint16_t>(item->word)});
    return nullptr;
  }
  struct Drop {
    uint16_t id;
    uint16_t value;
  };
  std::vector<Drop> dropped;
};

class PotionLootTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    engine::randomSeed(7);
    defineBlock(kChestBlock, {.flags = bits({block_flag::kSolid}), .transparency = 0});
    // Rolled chances count as they stand on this difficulty.
    const float one = 1.0f;
    for (size_t i = 0; i < content::difficulty_record::lootFactorCount; ++i) {
      std::memcpy(difficulty.bytes.data() + content::difficulty_record::lootFactors + 4 * i, &one, sizeof one);
    }
    remakeWorld();
    rules.setEntities(&potions);
  }
  void TearDown() override {
    contentTables().blockDefs[kChestBlock].lootTable = nullptr;
    GameTest::TearDown();
  }
  // The block's loot: one sure entry of the category kind with the recipe.
  void lootRecipe(uint8_t recipe) {
    table.mode = 0;
    LootEntry entry;
    entry.kind = content::kLootCategory;
    entry.category = recipe;
    entry.chance = 1.0f;
    entry.minCount = 1;
    entry.maxCount = 1;
    table.entries = {entry};
    contentTables().blockDefs[kChestBlock].lootTable = &table;
  }
  void breakChest() { rules.dropBlockLoot(at(5, 5), kChestBlock, nullptr); }

  LootTable table;
  RecordingPotionDrops potions;
};

TEST_F(PotionLootTest, APotionEntryDropsAPotionWithAnEffect) {
  lootRecipe(kAnyPotionRecipe);
  put(5, 5, kChestBlock);
  for (int i = 0; i < 40; ++i) breakChest();
  ASSERT_EQ(potions.dropped.size(), 40u);
  std::set<uint16_t> codes;
  for (const auto& drop : potions.dropped) {
    const PotionDef* potion = potionDefForValue(drop.value);
    ASSERT_NE(potion, nullptr) << "a value without a potion has no effect: " << drop.value;
    EXPECT_EQ(drop.id, potion->itemId) << "the item shows the potion it carries";
    EXPECT_TRUE(isPotionItem(drop.id));
    EXPECT_EQ(drop.value & 3, 1) << "the recipe's bottle kind";
    EXPECT_EQ((drop.value >> 4) & 3, 0) << "the recipe's second level";
    EXPECT_GT(potionDuration(drop.value), 0);
    codes.insert(static_cast<uint16_t>(drop.value >> 6));
  }
  EXPECT_GT(codes.size(), 10u) << "the potion is drawn, not fixed";
}

TEST_F(PotionLootTest, TheRecipesCategoryChoosesAmongItsPotionsOnly) {
  lootRecipe(kDefensiveRecipe);
  put(5, 5, kChestBlock);
  for (int i = 0; i < 30; ++i) breakChest();
  ASSERT_EQ(potions.dropped.size(), 30u);
  for (const auto& drop : potions.dropped) {
    const PotionDef* potion = potionDefForValue(drop.value);
    ASSERT_NE(potion, nullptr);
    EXPECT_EQ(potion->category, 1);
    EXPECT_EQ(drop.value & 3, 2);
    EXPECT_EQ((drop.value >> 4) & 3, 3);
  }
}

TEST_F(PotionLootTest, NoPotionIsFoundInACreativeWorld) {
  lootRecipe(kAnyPotionRecipe);
  remakeWorld(WorldParams{.mode = 1});
  put(5, 5, kChestBlock);
  breakChest();
  EXPECT_TRUE(potions.dropped.empty());
}

}  // namespace
}  // namespace game_test
