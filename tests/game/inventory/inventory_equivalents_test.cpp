// Counting and taking by an ingredient's equivalents: a family's members count for the wanted
// id only when equivalents are allowed, and never the other way round.

#include "game/inventory/inventory.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

constexpr uint16_t kPlanks = 45, kBirchPlanks = 109, kDarkPlanks = 173, kSand = 100;

class InventoryEquivalentsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (uint16_t id : {kPlanks, kBirchPlanks, kDarkPlanks, kSand}) defineItem(id, 4, true);
  }
  Inventory& inv() { return *player->inventory; }
  void give(SlotRef slot, uint16_t id, uint16_t count) { inv().setSlot(slot, makeItem(id, count)); }
};

TEST_F(InventoryEquivalentsTest, AFamilyCountsForItsWantedIdOnlyWithEquivalents) {
  give({SlotKind::Backpack, 0, 0}, kPlanks, 2);
  give({SlotKind::Backpack, 1, 0}, kBirchPlanks, 3);
  give({SlotKind::Quick, 2, 0}, kDarkPlanks, 4);
  give({SlotKind::Backpack, 2, 0}, kSand, 5);
  const struct {
    uint16_t wanted;
    bool equivalents;
    uint32_t count;
  } cases[] = {{kPlanks, false, 2}, {kPlanks, true, 9}, {kBirchPlanks, true, 3}, {kSand, true, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(inv().countItems(c.wanted, c.equivalents, false), c.count) << c.wanted << " " << c.equivalents;
  }
}

TEST_F(InventoryEquivalentsTest, TakingOneUsesTheFirstMatchingStack) {
  give({SlotKind::Backpack, 3, 0}, kBirchPlanks, 1);
  give({SlotKind::Quick, 0, 0}, kPlanks, 1);
  EXPECT_EQ(inv().takeOne(kPlanks, false).kind, SlotKind::Quick);
  EXPECT_TRUE(inv().takeOne(kPlanks, false).isNone());
  const SlotRef taken = inv().takeOne(kPlanks, true);
  EXPECT_EQ(taken.kind, SlotKind::Backpack);
  EXPECT_EQ(taken.x, 3);
  EXPECT_EQ(inv().slotItem({SlotKind::Backpack, 3, 0}), nullptr);
}

}  // namespace
}  // namespace game_test
