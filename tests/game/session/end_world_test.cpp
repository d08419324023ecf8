// Ending a world releases everything it held: the player and its items, the world and its
// block entities, the achievements' unlocked flags, and every borrowed pointer to them. The sanitizer build proves that nothing
// leaks; the item pool's free count shows every stack came back.

#include "content/items/item_pool.h"
#include "game/rules/rule_entities.h"
#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "tests/game/game_fixture.h"
#include "tests/support/item_pool_probe.h"

namespace game_test {
namespace {

class RecordingLists final : public NullRuleEntities {
 public:
  void clearAll() override { ++cleared; }
  int cleared = 0;
};

TEST_F(GameTest, EndingAWorldReleasesThePlayerTheWorldAndTheirItems) {
  RecordingLists lists;
  rules.setEntities(&lists);
  RunningWorld running;
  running.world = std::move(world);
  running.player = std::move(player);
  setCurrentWorld(running.world.get());
  Inventory& inv = *running.player->inventory;
  inv.setSlot({SlotKind::Backpack, 0, 0}, makeItem(kStone, 10));
  inv.setSlot({SlotKind::Equipment, 0, 0}, makeItem(kHelmet, 1));
  inv.setSlot({SlotKind::CraftGrid, 2, 2}, makeItem(kGem, 1));
  inv.setSlot({SlotKind::Trinket, 0, 0}, makeItem(kRing, 1));
  const size_t freeBefore = freeItemSlots();
  running.player->addBuff(0);
  statsStore().restoreUnlocked(5);
  StatsStore anotherGames;
  anotherGames.restoreUnlocked(5);
  game.setStarted(true);
  endWorld(running, game, rules, &statsStore());
  EXPECT_EQ(lists.cleared, 1);
  EXPECT_EQ(running.player, nullptr);
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(currentWorld(), nullptr);
  EXPECT_EQ(game.player(), nullptr);
  EXPECT_EQ(game.world(), nullptr);
  EXPECT_EQ(rules.world(), nullptr);
  EXPECT_EQ(rules.playerCount(), 0u);
  EXPECT_EQ(freeItemSlots(), freeBefore + 4);
  EXPECT_FALSE(statsStore().isUnlocked(5)) << "the next world reports its achievements again";
  EXPECT_TRUE(anotherGames.isUnlocked(5)) << "only the ending game's store is cleared";
  rules.setEntities(nullptr);
}

}  // namespace
}  // namespace game_test
