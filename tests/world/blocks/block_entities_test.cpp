#include <gtest/gtest.h>

#include <string>

#include "tests/world/world_recorders.h"
#include "world/blocks/chest.h"
#include "world/blocks/sign.h"
#include "world/edits/edit_kind.h"
#include "tests/support/item_pool_probe.h"

namespace {

using namespace world_test;
namespace ek = edit_kind;

constexpr uint16_t kSmallChest = 213;

class BlockEntitiesTest : public EditWorldTest {
 protected:
  void SetUp() override {
    EditWorldTest::SetUp();
    defineBlock(kSmallChest, {.transparency = 1});
    defineBlock(kSignBlockId, {.transparency = 1});
    makeWorld(WorldParams{});
  }
  void place(int32_t x, int32_t y, uint16_t id) { apply(edit(ek::kPlace, x, y, id)); }
  static constexpr uint16_t kSignBlockId = 2599;
};

TEST_F(BlockEntitiesTest, BreakingAChestDropsItsContentsOrGivesThemBackToThePool) {
  for (int x : {4, 6}) {
    place(x, 4, kSmallChest);
    world->chests().findAt(at(x, 4))->setItem(0, newItem(500, 0, 7, -1, 0));
    world->chests().findAt(at(x, 4))->setItem(11, newItem(501, 0, 1, -1, 0));
  }
  BlockEdit remove = edit(ek::kRemoveLayer, 4, 4);
  remove.extra = 1;
  apply(remove);
  EXPECT_EQ(world->chests().size(), 1u);
  ASSERT_EQ(rules.drops.size(), 2u);
  EXPECT_EQ(rules.drops[0].id, 500);
  EXPECT_EQ(rules.drops[0].count, 7);
  EXPECT_EQ(rules.released, 1);
  const size_t freeBefore = freeItemSlots();
  apply(edit(ek::kRemoveLayer, 6, 4));
  EXPECT_EQ(freeItemSlots(), freeBefore + 2) << "a removal without drops";
}

TEST_F(BlockEntitiesTest, AChestSlotHandsItsStackOverAndGivesBackOneItReplacesOrHasNoRoomFor) {
  place(4, 4, kSmallChest);
  Chest& chest = *world->chests().findAt(at(4, 4));
  chest.setItem(2, newItem(500, 0, 7, -1, 0));
  const size_t held = freeItemSlots();
  chest.setItem(2, newItem(501, 0, 1, -1, 0));
  EXPECT_EQ(freeItemSlots(), held) << "the stack it replaced went back";
  chest.setItem(12, newItem(502, 0, 1, -1, 0));
  chest.setItem(-1, newItem(502, 0, 1, -1, 0));
  EXPECT_EQ(freeItemSlots(), held) << "no such slots: the stacks went back";
  ItemPtr taken = chest.takeItem(2);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->id, 501);
  EXPECT_EQ(chest.itemAt(2), nullptr);
  EXPECT_FALSE(chest.holdsAnyItem());
  EXPECT_EQ(chest.takeItem(2), nullptr);
  EXPECT_EQ(chest.takeItem(40), nullptr);
  taken.reset();
  EXPECT_EQ(freeItemSlots(), held + 1);
}

TEST_F(BlockEntitiesTest, PlacingTheSameBlockTwiceMakesOneEntity) {
  place(4, 4, kSmallChest);
  place(4, 4, kSmallChest);
  EXPECT_EQ(world->chests().size(), 1u);
  place(6, 4, kSignBlockId);
  EXPECT_EQ(world->signs().size(), 1u);
  place(8, 4, 45);
  EXPECT_EQ(world->alchemyLabs().size(), 1u);
}

TEST_F(BlockEntitiesTest, ABlockItemSetIntoTheFrontGetsItsEntityAndABackWallNone) {
  BlockEdit set = edit(ek::kSetLayerBlock, 4, 4, kSmallChest);
  apply(set);
  Chest* chest = world->chests().findAt(at(4, 4));
  ASSERT_NE(chest, nullptr) << "a chest set from the player's stack can be opened";
  EXPECT_EQ(chest->slotCount(), 12u);
  apply(set);
  EXPECT_EQ(world->chests().size(), 1u) << "the cell keeps its one chest";
  set = edit(ek::kSetLayerBlock, 6, 4, kSignBlockId);
  apply(set);
  EXPECT_NE(world->signs().findAt(at(6, 4)), nullptr);
  set = edit(ek::kSetLayerBlock, 8, 4, kSmallChest);
  set.layer = MapBlock::kBack;
  apply(set);
  EXPECT_EQ(world->chests().findAt(at(8, 4)), nullptr) << "a back wall holds nothing";
}

TEST_F(BlockEntitiesTest, SignTextIsAlwaysBoundedByItsHundredAndTwentyEightCharacters) {
  Sign sign(at(1, 1));
  sign.setText((std::string(128, 'b') + "c").c_str());
  EXPECT_EQ(sign.text(), std::string(128, 'b'));
  sign.setText("hi");
  EXPECT_EQ(sign.text(), "hi");
  EXPECT_EQ(sign.characters()[127], 0) << "the rest of a shorter text is zeroed";
  sign.setText(nullptr);
  EXPECT_EQ(sign.text(), "");
}

TEST_F(BlockEntitiesTest, ANestLetsItsMobsOutUnlessPeacefulOrBusy) {
  put(3, 3, 2317);  // one of kind A, three to five of kind B, spawn mode 3
  put(5, 3, 2317);
  apply(edit(ek::kRemoveLayer, 3, 3));
  EXPECT_GE(rules.mobModes.size(), 4u);
  EXPECT_LE(rules.mobModes.size(), 6u);
  for (uint8_t mode : rules.mobModes) EXPECT_EQ(mode, 3);
  const size_t before = rules.mobModes.size();
  world->setBusy(true);
  apply(edit(ek::kRemoveLayer, 5, 3));
  EXPECT_EQ(rules.mobModes.size(), before);
}

}  // namespace
