// The stand-ins of the rules and of the game, which answer until the game registers itself and in
// headless worlds: nothing is made, an item handed to them goes back to the pool rather than
// leaking, a save still tells its caller it ended, and a cleared slot falls back to them.
#include <gtest/gtest.h>

#include <utility>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "world/rules/game.h"
#include "world/rules/logic.h"
#include "tests/support/item_pool_probe.h"

namespace {

ItemPtr anItem() { return ItemPtr(newItem(301, 0, 5, 0, 0)); }

// Counts how many pool slots went back when the operation took an item made beforehand.
template <class Operation>
size_t slotsFreedBy(Operation operation) {
  ItemPtr item = anItem();
  const size_t before = freeItemSlots();
  operation(std::move(item));
  return freeItemSlots() - before;
}

TEST(NullLogic, ItemsHandedToItGoBackToThePool) {
  NullLogic rules;
  EXPECT_EQ(slotsFreedBy([&](ItemPtr item) { EXPECT_EQ(rules.spawnItemEntity(std::move(item), {}, 1, 0, 0), nullptr); }),
            1u);
  EXPECT_EQ(slotsFreedBy([&](ItemPtr item) { EXPECT_EQ(rules.spawnItemDrop(std::move(item), {}, 0), nullptr); }), 1u);
  EXPECT_EQ(slotsFreedBy([&](ItemPtr item) { EXPECT_EQ(rules.spawnDress(std::move(item), {}, {}), nullptr); }), 1u);
}

TEST(NullGame, ItemsHandedToItGoBackToThePool) {
  NullGame game;
  EXPECT_EQ(slotsFreedBy([&](ItemPtr item) { game.throwItem(std::move(item), 2, 0, 0); }), 1u);
  EXPECT_EQ(slotsFreedBy([&](ItemPtr item) { game.dropItem(std::move(item)); }), 1u);
}

TEST(NullLogic, NoPlayerIsKnown) {
  NullLogic rules;
  EXPECT_EQ(rules.playerCount(), 0u);
  EXPECT_EQ(rules.playerById(rules.playerIdOf(nullptr)), nullptr);
  EXPECT_FALSE(rules.findPlayer([](PlayerBase*) { return true; })) << "the test is never asked";
  EXPECT_FALSE(rules.playerSpot(1).present);
  EXPECT_FALSE(rules.mobTargetOf(nullptr).found);
}

TEST(NullLogic, ItemsFireNothing) {
  NullLogic rules;
  EXPECT_EQ(rules.projectileForItem(0, nullptr, nullptr).itemId, -1);
}

TEST(NullGame, ASaveStillTellsItsCallerItEndedUnsaved) {
  NullGame game;
  int told = 0;
  bool saved = true;
  game.save([&](bool result) {
    ++told;
    saved = result;
  });
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(saved);
  game.save(nullptr);  // nobody to tell: nothing happens
}

TEST(NullGame, AnswersEveryNetworkedRoleSoATestCanFillInOne) {
  NullGame null;
  GameInterface& game = null;
  EXPECT_EQ(game.peerReports(), static_cast<GamePeerReports*>(&null));
  EXPECT_EQ(game.hostRequests(), static_cast<GameHostRequests*>(&null));
  EXPECT_EQ(game.tradeWindows(), static_cast<GameTradeWindows*>(&null));
  EXPECT_EQ(game.chat(), static_cast<GameChat*>(&null));
  const ItemPtr bag = anItem();
  EXPECT_EQ(game.hostRequests()->openBag(*bag), GameHostRequests::BagRequest::RolledHere)
      << "a bag is rolled here, not asked of a host";
}

// The current game and rules: the stand-in until one registers, and again once it is cleared.
TEST(CurrentGame, FallsBackToTheNullFormWhenCleared) {
  ASSERT_FALSE(currentGameSeam().registered());
  NullGame registered;
  setCurrentGame(&registered);
  EXPECT_EQ(&currentGame(), &registered);
  setCurrentGame(nullptr);
  EXPECT_NE(&currentGame(), &registered);
  EXPECT_FALSE(currentGameSeam().registered());
  EXPECT_FALSE(currentGame().applyBlockEdit(BlockEdit{}, nullptr)) << "the stand-in refuses every edit";
}

TEST(CurrentLogic, FallsBackToTheNullFormWhenCleared) {
  ASSERT_FALSE(currentLogicSeam().registered());
  NullLogic registered;
  {
    engine::Seam<Logic, NullLogic>::Scoped scope(currentLogicSeam(), registered);
    EXPECT_EQ(&currentLogic(), &registered);
  }
  EXPECT_NE(&currentLogic(), &registered);
  setCurrentLogic(&registered);
  EXPECT_EQ(&currentLogic(), &registered);
  setCurrentLogic(nullptr);
  EXPECT_FALSE(currentLogicSeam().registered());
}

}  // namespace
