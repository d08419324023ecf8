// The hosting game where it differs from the game played alone: a travel whose world could not be
// saved stays where it is and says so; a saved one re-hosts at the destination once the save's
// completion returned; quitting ends the endpoint and returns to the game played alone; a mode
// change reaches the clients.

#include <gtest/gtest.h>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/session/game_timers.h"
#include "tests/game/session/session_fixture.h"
#include "tests/net/host_game/host_in_game.h"

namespace nettest {
namespace {

using Message = game_test::RecordingEvents::Message;

class HostingGame : public HostInGame {
 protected:
  GameServices gameServices() override { return {.screen = &screen, .saves = &saves}; }
  void SetUp() override {
    HostInGame::SetUp();
    game().setStarted(true);
    game().startTimers();
  }
  void TearDown() override {
    game().stopTimers();
    HostInGame::TearDown();
  }
  static void runMainThreadFunctions() { engine::Director::getInstance()->getScheduler()->update(0.0f); }

  game_test::RecordingSaves saves;
  game_test::RecordingScreen screen;
};

TEST_F(HostingGame, ATravelWhoseWorldCannotBeSavedStaysAndSaysSo) {
  World* before = &world();
  host().unlockedPlanets = 1;
  saves.worldSaved = false;
  game().travelToWorld(TravelTarget{0x10004, 5, 6});
  runMainThreadFunctions();
  EXPECT_TRUE(hosting.rehosted.empty()) << "no new endpoint";
  EXPECT_EQ(hosting.returns, 0);
  EXPECT_EQ(bridge->stops, 0) << "the clients stay connected";
  EXPECT_EQ(&world(), before);
  EXPECT_EQ(server.world(), before);
  EXPECT_EQ(host().unlockedPlanets, 1);
  EXPECT_EQ(events.messages, (std::vector<Message>{{3, GameLocal::kTravelNotSaved}}));
}

TEST_F(HostingGame, ASavedTravelReHostsAtTheDestinationOnceTheSaveHasReturned) {
  const TravelTarget target{0x10004, 5, 6};
  game().travelToWorld(target);
  EXPECT_TRUE(hosting.rehosted.empty()) << "not from within the save's completion";
  runMainThreadFunctions();
  ASSERT_EQ(hosting.rehosted.size(), 1u);
  EXPECT_EQ(hosting.rehosted.front().worldIndex, target.worldIndex);
  EXPECT_EQ(saves.savedWorlds.size(), 1u);
}

TEST_F(HostingGame, QuittingEndsTheEndpointAndReturnsToTheGamePlayedAlone) {
  game().quit();
  EXPECT_FALSE(game().isStarted());
  EXPECT_EQ(server.world(), nullptr) << "nothing more is applied to the ended world";
  EXPECT_EQ(bridge->stops, 1);
  EXPECT_EQ(hosting.returns, 1);
}

TEST_F(HostingGame, AModeChangeIsToldToTheClients) {
  game().setPlayerMode(2);
  EXPECT_EQ(host().mode, 2);
  EXPECT_EQ(bridge->sent, (std::vector<Sent>{{Sent::All, 0, {2, 46, 0, 2}}}));
  EXPECT_EQ(game().sessionKind(), GameRemoteServer::kHostingSession);
}

}  // namespace
}  // namespace nettest
