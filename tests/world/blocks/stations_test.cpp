// Forges smelting by fuel and input, the alchemy lab's output limit, and stables keeping,
// feeding, raising and breeding their mobs.

#include <algorithm>
#include <vector>

#include "content/potions/potion_def.h"
#include "content/tables/content_tables.h"
#include "tests/world/world_recorders.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/forge.h"
#include "world/blocks/stable.h"
#include "world/seams/stable_mobs.h"
#include "tests/support/item_pool_probe.h"

namespace {

using namespace world_test;

constexpr uint16_t kIron = 65, kIronBar = 1538, kCoal = 64, kCopperBar = 1474;

class ForgeTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    for (uint16_t id : {kIronBar, kCopperBar, uint16_t{2126}}) {
      ItemDef& def = contentTables().itemDefs[id];
      def.record.bytes[content::item_record::freeStack] = 1;
      def.defined = true;
    }
  }
  static ItemPtr stack(uint16_t id, uint16_t count, uint32_t word = 0) {
    return newItem(id, 0, count, -1, word);
  }
};

TEST_F(ForgeTest, OneUnitOfCoalSmeltsSixUnitsOfIron) {
  Forge forge(at(3, 3));
  forge.setItem(Forge::kFuel, stack(kCoal, 1));
  EXPECT_FALSE(forge.burning()) << "nothing to smelt yet: the fuel waits";
  forge.setItem(Forge::kInput, stack(kIron, 10));
  EXPECT_TRUE(forge.burning());
  int steps = 0;
  while (forge.smeltStep() != Forge::kCold && steps < 10000) ++steps;
  EXPECT_EQ(steps, 30);
  ASSERT_NE(forge.itemAt(Forge::kOutput), nullptr);
  EXPECT_EQ(forge.itemAt(Forge::kOutput)->id, kIronBar);
  EXPECT_EQ(forge.itemAt(Forge::kOutput)->count, 6);
  EXPECT_EQ(forge.itemAt(Forge::kInput)->count, 4);
}

TEST_F(ForgeTest, AnOutputOfAnotherItemOrAFullStackStopsTheForge) {
  const struct {
    const char* what;
    uint16_t outputId, outputCount, expectedAfter;
  } cases[] = {{"another item", kCopperBar, 5, 5}, {"one short of full", kIronBar, 998, 999}};
  for (const auto& c : cases) {
    Forge forge(at(3, 3));
    forge.setItem(Forge::kOutput, stack(c.outputId, c.outputCount));
    forge.setItem(Forge::kFuel, stack(kCoal, 2));
    forge.setItem(Forge::kInput, stack(kIron, 10));
    for (int i = 0; i < 70; ++i) forge.smeltStep();
    EXPECT_EQ(forge.itemAt(Forge::kOutput)->count, c.expectedAfter) << c.what;
    EXPECT_EQ(forge.itemAt(Forge::kInput)->count, 10 - (c.expectedAfter - c.outputCount)) << c.what;
  }
}

TEST_F(ForgeTest, EachBarMadeOntoAStandingStackGoesBackToThePool) {
  Forge forge(at(3, 3));
  forge.setItem(Forge::kOutput, stack(kIronBar, 5));
  forge.setItem(Forge::kFuel, stack(kCoal, 5));
  forge.setItem(Forge::kInput, stack(kIron, 10));
  stack(kIron, 1).reset();  // a freed slot, so each bar made takes no new one
  const size_t freeBefore = freeItemSlots();
  for (int i = 0; i < 30; ++i) forge.smeltStep();
  EXPECT_EQ(forge.itemAt(Forge::kOutput)->count, 11);
  EXPECT_EQ(freeItemSlots(), freeBefore) << "six bars merged, none kept, none freed twice";
}

TEST_F(ForgeTest, BrewingUsesOneUnitOfEachIngredientAndNeverSpoilsTheOutput) {
  AlchemyLab lab(at(2, 2));
  PotionResult recipe;
  recipe.itemId = 2126;
  recipe.value = 0x0345;
  lab.setItem(0, stack(600, 1));
  lab.setItem(2, stack(601, 3));
  lab.brew(recipe);
  EXPECT_EQ(lab.itemAt(0), nullptr) << "a single unit is used up";
  Item* output = lab.itemAt(AlchemyLab::kOutputSlot);
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->word, 0x0345u);

  output->word = 0x0111;
  output->count = 3;
  EXPECT_FALSE(lab.brew(recipe)) << "another potion in the output";
  EXPECT_EQ(lab.itemAt(2)->count, 2) << "no ingredient is used for nothing";
  output->word = 0x0345;
  EXPECT_TRUE(lab.brew(recipe));
  EXPECT_EQ(output->count, 4);
  EXPECT_EQ(lab.itemAt(2)->count, 1) << "one unit a brew";
}

class StableWorld : public NullLogic {
 public:
  MobEntity* spawnMob(const MobDef*, engine::Vec2, engine::Vec2, uint8_t, PlayerBase*, uint8_t) override {
    return reinterpret_cast<MobEntity*>(static_cast<uintptr_t>(64 * (++made)));
  }
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2, uint8_t) override {
    drops.push_back(item->id);
    return nullptr;
  }
  std::vector<uint16_t> drops;
  int made = 0;
};

class RecordingMobs final : public StableMobs {
 public:
  EntityId idOf(MobEntity* mob) override { return ids.idOf(mob); }
  bool cellOf(EntityId mob, int32_t& x, int32_t& y) override {
    auto found = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.mob == mob; });
    if (found == places.end()) return false;
    x = found->x;
    y = found->y;
    return true;
  }
  engine::Vec2 positionOf(EntityId) override { return {}; }
  void setStable(EntityId, BlockEntityHandle) override {}
  void markRemoved(EntityId mob) override { removed.push_back(mob); }
  void broadcastEffect(EntityId, uint8_t effect) override { effects.push_back(effect); }

  struct Place {
    EntityId mob;
    int32_t x, y;
  };
  StandInEntityIds ids;
  std::vector<Place> places;
  std::vector<EntityId> removed;
  std::vector<uint8_t> effects;
};

class StableTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    context.rules = &mobsRules;
    context.stableMobs = &mobs;
    rebind();
  }
  Stable& stableOn(uint16_t block, int32_t x = 5, int32_t y = 5) {
    put(x, y, block);
    stables.push_back(std::make_unique<Stable>(at(x, y), *world));
    return *stables.back();
  }
  StableWorld mobsRules;
  RecordingMobs mobs;
  std::vector<std::unique_ptr<Stable>> stables;
};

TEST_F(StableTest, AddingMobsByTheirItemsAndLettingAdultsGoWhenBroken) {
  Stable& stable = stableOn(2407);
  EXPECT_EQ(stable.addMob(27), Stable::kPlaced);
  EXPECT_EQ(stableOn(352, 8, 5).addMob(27), Stable::kWrongStable);
  EXPECT_EQ(stable.addMob(12345), Stable::kNoMobItem);
  stable.addMob(91);
  stable.addMob(27);
  EXPECT_EQ(stable.addMob(27), Stable::kNoRoom);

  Stable& single = stableOn(2407, 12, 5);
  single.addMob(27);
  single.setItem(newItem(926, 0, 3, -1, 0));
  single.dropContents(mobsRules);
  EXPECT_EQ(mobsRules.drops, (std::vector<uint16_t>{862, 926}));
}

TEST_F(StableTest, AMobThatWanderedTenCellsGoesButNotOneJustAcrossTheWrap) {
  Stable& stable = stableOn(2407, 1, 5);
  stable.addMob(27);
  stable.addMob(91);
  mobs.places = {{stable.mobAt(0), kWidth - 2, 5}, {stable.mobAt(1), 11, 5}};  // 3 cells (wrapped) and 10 cells
  stable.updateMobs();
  EXPECT_NE(stable.mobAt(0), kNoEntity) << "three cells away across the seam";
  EXPECT_EQ(stable.mobAt(1), kNoEntity);
  EXPECT_EQ(mobs.effects, std::vector<uint8_t>{31});
}

TEST_F(StableTest, TwoFedMobsOfDifferentSexesBreedAndTheYoungGrowsUp) {
  EXPECT_EQ(youngKindForPair(145, 145), -1) << "same sex";
  Stable& stable = stableOn(2407);
  stable.addMob(27);  // 145
  stable.addMob(91);  // 146
  for (int i = 0; i < 28; ++i) stable.breed();  // 7 a call: 200 after 29 calls
  EXPECT_EQ(stable.mobCount(), 2);
  EXPECT_EQ(stable.progressAt(0), 196);
  stable.breed();
  stable.breed();
  ASSERT_EQ(stable.mobCount(), 3);
  EXPECT_EQ(stable.mobKindAt(2), 147);

  stable.setItem(newItem(926, 0, 999, -1, 0));
  for (int i = 0; i < 60 && stable.mobKindAt(2) == 147; ++i) stable.updateMobs();
  EXPECT_TRUE(stable.mobKindAt(2) == 145 || stable.mobKindAt(2) == 146);
  EXPECT_EQ(mobs.removed.size(), 1u);
}

}  // namespace
