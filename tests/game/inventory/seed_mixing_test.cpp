// Crossing two seeds in the inventory: the new seed carries the genes the crossing rule gives for
// the two parents' genes, one seed of each parent is used, and seeds of unknown or equal genes are
// not crossed.

#include "engine/base/random.h"
#include "game/inventory/seed_mixing.h"
#include "tests/game/game_fixture.h"
#include "world/plants/plant_genes.h"

namespace game_test {
namespace {

constexpr uint16_t kRedPlump = 0x1234, kBluish = 0x0ACE;  // two gene words of 15 bits

class SeedMixingTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineItem(kSeedItem, 4, true);
  }
  Inventory& inv() { return *player->inventory; }
  void seeds(SlotRef slot, uint16_t genes, uint16_t count, bool known = true) {
    inv().setSlot(slot, makeSeedItem(count, 0xFFFF, static_cast<uint16_t>(genes | (known ? kSeedFromPlantMark : 0))));
  }
  uint16_t countIn(SlotRef slot) {
    const Item* item = inv().slotItem(slot);
    return item != nullptr && !item->isNone() ? item->count : 0;
  }
};

constexpr SlotRef kA{SlotKind::Backpack, 0, 0}, kB{SlotKind::Backpack, 1, 0};

TEST_F(SeedMixingTest, TheNewSeedCarriesTheGenesTheRuleGivesForItsParents) {
  seeds(kA, kRedPlump, 3);
  seeds(kB, kBluish, 1);
  engine::randomSeed(77);
  const uint16_t expected = mixPlantGenes(kRedPlump, kBluish);
  engine::randomSeed(77);
  const SeedMix mix = mixSeeds(inv(), kA, kB);
  ASSERT_TRUE(mix.mixed);
  EXPECT_EQ(mix.genes, expected);
  EXPECT_EQ(countIn(kA), 2) << "one seed of each parent is used";
  EXPECT_EQ(countIn(kB), 0);
  const Item* child = inv().slotItem(mix.where);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->id, kSeedItem);
  EXPECT_EQ(child->count, 1);
  EXPECT_EQ(child->word & 0xFFFF, expected | kSeedFromPlantMark) << "a seed of known genes";
}

TEST_F(SeedMixingTest, SeedsOfUnknownOrEqualGenesAreNotCrossed) {
  seeds(kA, kRedPlump, 2);
  seeds(kB, kRedPlump, 2);
  EXPECT_FALSE(mixSeeds(inv(), kA, kB).mixed) << "equal genes join instead";
  seeds({SlotKind::Backpack, 2, 0}, kBluish, 1, false);
  EXPECT_FALSE(canMixSeeds(inv().slotItem(kA), inv().slotItem({SlotKind::Backpack, 2, 0}))) << "a seed of unknown genes";
  inv().setSlot({SlotKind::Backpack, 3, 0}, makeItem(kStone, 1));
  EXPECT_FALSE(canMixSeeds(inv().slotItem(kA), inv().slotItem({SlotKind::Backpack, 3, 0})));
  EXPECT_EQ(countIn(kA), 2);
  EXPECT_EQ(countIn(kB), 2);
}

}  // namespace
}  // namespace game_test
