// The session's local player tells the sink the session was given (the application's interface),
// from the moment the game loads it.

#include <string>
#include <vector>

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

}  // namespace
}  // namespace game_test
