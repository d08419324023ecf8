// The session's local player tells the sink the session was given (the application's interface),
// from the moment the game loads it; and the game plays at that player's difficulty.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/loader/game_tables_loader.h"
#include "content/tables/game_tables.h"
#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

TEST(LocalPlayerEvents, ThePlayerASessionLoadsTellsTheSessionsSink) {
  RecordingEvents sink;
  LocalSession session({}, nullptr, &sink);
  session.game().begin(4, {});  // a start that only loads the player
  ASSERT_NE(session.running().player, nullptr);
  session.running().player->showMessage(2, "hello");
  EXPECT_EQ(sink.messages, (std::vector<RecordingEvents::Message>{{2, "hello"}}));
}

// Two games side by side, each over a character of its own difficulty: each plays at its own, not
// at whichever character was loaded last.
TEST(LocalPlayerEvents, EachGamePlaysAtTheDifficultyOfItsOwnCharacter) {
  GameTables tables;
  tables.difficulties.resize(game_tables::kDifficultyCount);
  setGameTables(std::move(tables));
  ASSERT_NE(difficultyRow(1), difficultyRow(4));
  RunningWorld easyRunning;
  RunningWorld hardRunning;
  LocalSession easy({}, &easyRunning);
  LocalSession hard({}, &hardRunning);
  easyRunning.player = std::make_unique<PlayerDesktopLocal>(&easy.game());
  easyRunning.player->difficultyId = 1;
  hardRunning.player = std::make_unique<PlayerDesktopLocal>(&hard.game());
  hardRunning.player->difficultyId = 4;
  hard.game().begin(4, {});
  easy.game().begin(4, {});
  EXPECT_EQ(easy.game().difficulty(), difficultyRow(1));
  EXPECT_EQ(easy.rules().difficulty(), difficultyRow(1));
  EXPECT_EQ(hard.game().difficulty(), difficultyRow(4));
  EXPECT_EQ(hard.rules().difficulty(), difficultyRow(4));
  resetGameTables();
}

}  // namespace
}  // namespace game_test
