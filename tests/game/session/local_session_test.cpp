// The local session: its game and rules become the process's current ones only while bound; the
// players' bodies that blasts and plates see: where each stands and what a blast does to it; and a
// character whose game ends with its death.

#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/local_session.h"
#include "game/session/player_bodies.h"
#include "game/player/player_options.h"
#include "tests/game/game_fixture.h"
#include "tests/game/session/session_fixture.h"

namespace game_test {
namespace {

TEST(LocalSession, BindsItsGameAndRulesAsTheCurrentOnesOnlyWhileBound) {
  setCurrentGame(nullptr);
  setCurrentLogic(nullptr);
  LocalSession first;
  LocalSession second;
  EXPECT_EQ(first.context().rules, &first.rules());
  EXPECT_EQ(first.context().edits, &first.game());
  first.bindCurrent();
  EXPECT_EQ(&currentGame(), &first.game());
  EXPECT_EQ(&currentLogic(), &first.rules());
  second.unbindCurrent();
  EXPECT_EQ(&currentGame(), &first.game()) << "a session that is not bound leaves the current one alone";
  first.unbindCurrent();
  EXPECT_NE(&currentGame(), &first.game());
  EXPECT_NE(&currentLogic(), &first.rules());
}

class PlayerBodiesTest : public GameTest {};

TEST_F(PlayerBodiesTest, ABlastFindsThePlayerWhereItStandsAndHurtsItLessItsResistance) {
  PlayerBodies bodies(rules, rules);
  player->setCellCoordinates(7, 9);
  player->health = 5.0f;
  player->stats.resist[3] = 0.5f;
  std::vector<Body> found;
  bodies.collectAll(found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].group, BodyGroup::Player);
  EXPECT_EQ(found[0].cellX, 7);
  EXPECT_EQ(found[0].cellY, 9);
  std::vector<Body> inCell;
  bodies.collectInCell(at(7, 9), inCell);
  bodies.collectInCell(at(8, 9), inCell);
  EXPECT_EQ(inCell.size(), 1u);

  EXPECT_TRUE(bodies.hurt(found[0], 2.0f));
  EXPECT_FLOAT_EQ(player->health, 4.0f);
  EXPECT_FALSE(bodies.hurt(found[0], 20.0f)) << "a blast that kills says so";
  EXPECT_EQ(player->dead, 1);
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

class RespawnTest : public SessionTest {};

TEST_F(RespawnTest, ACharacterWhoseGameEndsWithItsDeathSavesTheWorldAndLeavesIt) {
  game.world = &theWorld();
  game.player = &local();
  game.started = true;
  local().respawnReset();
  game.respawn();
  EXPECT_TRUE(game.started) << "an ordinary character comes back";
  EXPECT_TRUE(saves.savedWorlds.empty());

  local().characterFlags |= character_flag::kDeathEndsGame;
  World* played = &theWorld();
  game.respawn();
  EXPECT_EQ(saves.savedWorlds, std::vector<World*>{played});
  EXPECT_FALSE(game.started);
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(screen.startDialogs, std::vector<int>{0});
}

}  // namespace
}  // namespace game_test
