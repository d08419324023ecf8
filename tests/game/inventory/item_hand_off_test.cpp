// Items changing hands, counted in the pool: a dropped stack taken back by the player beside it, a
// shelf that refuses its unit, and an item taken out of its slot. Every count is read from the
// pool's free list after warming it, so that no allocation in a test opens a fresh slot.

#include <vector>

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/items/item_ptr.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_entity.h"
#include "entities/items/treasure_factory.h"
#include "game/inventory/inventory.h"
#include "world/blocks/chest.h"
#include "tests/game/game_fixture.h"
#include "tests/support/item_pool_probe.h"

namespace game_test {
namespace {

// The items the pool has handed out since it was made, less those that came back.
class PoolCount {
 public:
  PoolCount() {
    {
      std::vector<ItemPtr> warm;
      for (int i = 0; i < 32; ++i) warm.push_back(makeItem(kStone, 1));
    }
    mark_ = freeItemSlots();
  }
  long held() const { return static_cast<long>(mark_) - static_cast<long>(freeItemSlots()); }

 private:
  size_t mark_ = 0;
};

constexpr SlotRef kSingle{SlotKind::Single, 0, 0};

using ItemHandOffTest = GameTest;

TEST_F(ItemHandOffTest, ADroppedStackTakenBackLeavesOnlyTheInventorysStackInThePool) {
  WorldEntities lists(*world);
  const PoolCount pool;
  TreasureEntity* dropped = createTreasureEntity(lists, makeItem(kStone, 3), {10 * 30.0f, 5 * 30.0f}, 0, 0, 0);
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(pool.held(), 1) << "the dropped stack";
  player->cellX = dropped->data.cell->x;
  player->cellY = dropped->data.cell->y;
  ASSERT_TRUE(rules.applyToPlayersOnCell(dropped));
  EXPECT_EQ(player->inventory->countItems(kStone, false, false), 3u);
  lists.clearAll();
  EXPECT_EQ(pool.held(), 1) << "the inventory's stack; the dropped one went back with its entity";
}

TEST_F(ItemHandOffTest, AStackDroppedOffTheMapGoesBackToThePoolOnce) {
  WorldEntities lists(*world);
  const PoolCount pool;
  EXPECT_EQ(createTreasureEntity(lists, makeItem(kStone, 3), {10 * 30.0f, -90 * 30.0f}, 0, 0, 0), nullptr);
  EXPECT_EQ(pool.held(), 0);
  EXPECT_EQ(createFishEntity(lists, newItem(ITEM_NONE, 0, 0, 0, 0), *world->cellAt(10, 5)), nullptr);
  EXPECT_EQ(pool.held(), 0) << "an empty item is refused and freed";
}

TEST_F(ItemHandOffTest, ARefusedShelfLeavesTheStackInItsSlotAndFreesNothing) {
  player->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 3));
  player->inventory->select(0);
  Item* stack = player->heldItem();
  const PoolCount pool;
  EXPECT_FALSE(game.putItemOnShelf(at(5, 5), stack, 0)) << "no shelf there";
  EXPECT_EQ(pool.held(), 0) << "the unit offered went back; the stack was never freed";
  EXPECT_EQ(player->heldItem(), stack);
  EXPECT_EQ(stack->count, 3);
}

TEST_F(ItemHandOffTest, TakingAnItemOutOfItsSlotEmptiesTheSlotAndTheTakerFreesItOnce) {
  player->inventory->setSlot(kSingle, makeItem(kStone, 2));
  const PoolCount pool;
  {
    const ItemPtr taken = player->inventory->takeSlot(kSingle);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->count, 2);
    EXPECT_EQ(player->inventory->slotItem(kSingle), nullptr);
    EXPECT_EQ(pool.held(), 0);
  }
  EXPECT_EQ(pool.held(), -1) << "freed when the taker let go";
  EXPECT_EQ(player->inventory->takeSlot(kSingle), nullptr) << "an empty slot gives nothing";
}

TEST_F(ItemHandOffTest, AStackStoredOverAnotherSendsTheOldOneBackAndARefusedSlotSendsBackTheNew) {
  player->inventory->setSlot(kSingle, makeItem(kStone, 2));
  const PoolCount pool;
  player->inventory->setSlot(kSingle, makeItem(kStone, 5));
  EXPECT_EQ(pool.held(), 0) << "the new stack in, the old one back";
  EXPECT_EQ(player->inventory->slotItem(kSingle)->count, 5);
  player->inventory->setSlot({SlotKind::Catalogue, 0, 0}, makeItem(kStone, 1));
  player->inventory->setSlot({SlotKind::Chest, 0, 0}, makeItem(kStone, 1));
  EXPECT_EQ(pool.held(), 0) << "no catalogue entry and no chest open take a stack";
  EXPECT_EQ(player->inventory->takeSlot({SlotKind::Chest, 0, 0}), nullptr);
}

TEST_F(ItemHandOffTest, SwappingWithTheOpenChestMovesBothStacksAndMakesOrFreesNone) {
  Chest& chest = world->chests().add(std::make_unique<Chest>(at(8, 5), Chest::SlotCount{4}));
  player->setOpenContainer(&chest);
  ASSERT_EQ(player->openContainer(), &chest);
  player->inventory->setSlot(kSingle, makeItem(kStone, 2));
  player->inventory->setSlot({SlotKind::Chest, 1, 0}, makeItem(kGem, 7));
  const PoolCount pool;
  ASSERT_TRUE(player->inventory->swapSlots(kSingle, {SlotKind::Chest, 1, 0}));
  EXPECT_EQ(pool.held(), 0);
  ASSERT_NE(chest.itemAt(1), nullptr);
  EXPECT_EQ(chest.itemAt(1)->id, kStone);
  EXPECT_EQ(player->inventory->slotItem(kSingle)->id, kGem);
  EXPECT_FALSE(player->inventory->swapSlots(kSingle, {SlotKind::Catalogue, 0, 0})) << "a catalogue entry is no slot";
  EXPECT_EQ(player->inventory->slotItem(kSingle)->id, kGem) << "a refused swap changes nothing";
  const ItemPtr taken = player->inventory->takeSlot({SlotKind::Chest, 1, 0});
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->id, kStone);
  EXPECT_EQ(chest.itemAt(1), nullptr) << "taken out of the chest, not copied";
  player->setOpenContainer(nullptr);
}

}  // namespace
}  // namespace game_test
