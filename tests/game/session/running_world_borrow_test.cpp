// A world and player another owner keeps (a joined game's) are held as the running ones without
// being owned: giving them back, or ending the running world, frees nothing, and only the pair
// that was lent (by world serial and player id) is given back. What is put there afterwards is
// owned again. The sanitizer build proves nothing is freed twice or leaked.

#include "game/session/running_world.h"
#include "game/stats/stats_store.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

TEST_F(GameTest, ALentWorldAndPlayerAreTheRunningOnesAndGoBackUnfreed) {
  RunningWorld running;
  running.borrow(*world, player.get());
  EXPECT_TRUE(running.borrowed());
  EXPECT_EQ(running.world.get(), world.get());
  EXPECT_EQ(running.player.get(), player.get());
  setCurrentWorld(running.world.get());

  running.giveBack(world->serial(), player->playerId() + 1);
  EXPECT_EQ(running.world.get(), world.get()) << "another player's id gives nothing back";
  running.giveBack(world->serial() + 1, player->playerId());
  EXPECT_EQ(running.world.get(), world.get()) << "another world's serial gives nothing back";

  running.giveBack(world->serial(), player->playerId());
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(running.player, nullptr);
  EXPECT_EQ(currentWorld(), nullptr);
  EXPECT_FALSE(running.borrowed());
  // Still whole: their owners end them.
  EXPECT_EQ(world->map().width(), 40);
  player->position = {1, 2};
}

TEST_F(GameTest, EndingALentRunningWorldLetsGoOfItAndWhatComesNextIsOwned) {
  RunningWorld running;
  running.borrow(*world, player.get());
  endWorld(running, game, rules, &statsStore());
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(running.player, nullptr);
  EXPECT_EQ(world->map().height(), 30);

  // The running world's own from here on: freed with it.
  running.world = std::move(world);
  running.player = std::move(player);
  EXPECT_FALSE(running.borrowed());
  running.giveBack(running.world->serial(), running.player->playerId());
  EXPECT_NE(running.world, nullptr) << "an owned world is not given back";
}

}  // namespace
}  // namespace game_test
