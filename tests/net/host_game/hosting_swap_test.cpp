// The hosting swap: hosting a world replaces the current game and rules with the hosting game and
// the host's rules over a new current endpoint; once the world is entered the endpoint holds it and
// the host's own player is its entry 0; quitting puts the game played alone back.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/game_saves.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/hosting.h"
#include "net/host_game/net_logic.h"
#include "net/transfer/transfer_screen.h"
#include "net/transfer/world_arrival.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/net/loopback_fixture.h"
#include "tests/world/world_test_blocks.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace nettest {
namespace {

// A character and a world file that always read.
class ReadableSaves final : public NullGameSaves {
 public:
  bool hasWorldEntry() const override { return true; }
  bool worldFileExists() const override { return true; }
  void loadWorldFile(const DifficultyRow*, WorldLoaded done) override {
    LoadedWorld result;
    result.result = LoadedWorld::kLoaded;
    result.world = World::create(nullptr, WorldParams{}, 512, 128);  // the smallest size a header carries
    done(std::move(result));
  }
  std::unique_ptr<PlayerDesktopLocal> loadLocalPlayer(GameInterface& game, PlayerEvents* events,
                                                      GameClock* clock) override {
    return std::make_unique<PlayerDesktopLocal>(&game, events, clock);
  }
};

// What the host's wait view is told.
class RecordingScreen final : public TransferScreen {
 public:
  void waitStatus(const std::string& text, const std::string&) override { shown.push_back(text); }
  void endWait() override { shown.push_back("(end)"); }
  void loadingStatus(const std::string& text, const std::string&) override { shown.push_back("loading " + text); }
  std::vector<std::string> shown;
};

// Where the world's header puts the joining player.
class RecordingArrival final : public WorldArrival {
 public:
  WorldContext worldContext() override { return {}; }
  void worldCreated(World&, WorldEntities&, const PlayerCells& at) override { cells = at; }
  void downloadStarted() override {}
  void cellsComplete(World&) override {}
  void clockArrived(World&) override {}
  std::optional<PlayerCells> cells;
};

class HostingSwap : public world_test::WorldTest {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    WorldTest::SetUp();
    local.bindCurrent();
  }
  void TearDown() override {
    if (Hosting* hosting = currentHosting()) hosting->returnToLocalGame();
    advance(0.1f);
    local.unbindCurrent();
    WorldTest::TearDown();
    scenetest::resetScene();
  }
  static void advance(float seconds) {
    for (float t = 0; t < seconds; t += 0.02f) engine::Director::getInstance()->getScheduler()->update(0.02f);
  }
  static HostSetup loopbackSetup() {
    HostSetup setup;
    setup.bridge = kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""};
    setup.listenAt = kel::base::DesktopDirectConnectionInfo(kLoopback, 0);
    setup.localName = "Host";
    setup.mode = 0;
    setup.makeBridge = [](NetServer& server) {
      return std::make_unique<enet::EnetServer>(server.bridgeListener(), kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""});
    };
    return setup;
  }

  ReadableSaves saves;
  LocalSession local{{}, nullptr, nullptr, {}, {.saves = &saves}};  // the hosting game takes its saves
};

TEST_F(HostingSwap, HostingMakesTheHostsGameAndRulesCurrentAndHandsTheEnteredWorldToTheEndpoint) {
  Hosting* hosting = hostWorld(local, loopbackSetup());
  ASSERT_NE(hosting, nullptr);
  EXPECT_EQ(&currentGame(), hosting->game());
  EXPECT_EQ(&currentLogic(), static_cast<Logic*>(hosting->rules()));
  ASSERT_NE(hosting->server(), nullptr);
  EXPECT_FALSE(hosting->server()->isShutDown());

  advance(0.2f);  // the world file is read after a short delay
  ASSERT_TRUE(hosting->worldHosted());
  NetServer& server = *hosting->server();
  RunningWorld& running = hosting->session()->running();
  ASSERT_NE(running.world, nullptr);
  EXPECT_EQ(server.world(), running.world.get());
  EXPECT_EQ(&running.world->rules(), static_cast<Logic*>(hosting->rules())) << "the world keeps the host's rules";
  ASSERT_NE(server.entryOf(0), nullptr);
  EXPECT_EQ(server.entryOf(0)->player(), running.player.get()) << "the host's own player is entry 0";
  EXPECT_EQ(hosting->rules()->peerOf(running.player.get()), 0);
}

TEST_F(HostingSwap, QuittingTheHostingGameReturnsToTheGamePlayedAlone) {
  Hosting* hosting = hostWorld(local, loopbackSetup());
  ASSERT_NE(hosting, nullptr);
  advance(0.2f);
  ASSERT_TRUE(hosting->worldHosted());
  hosting->game()->quit();
  EXPECT_FALSE(hosting->worldHosted());
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local.game()));
  EXPECT_EQ(&currentLogic(), static_cast<Logic*>(&local.rules()));
  EXPECT_EQ(hosting->server(), nullptr) << "the endpoint ended with its game";
  advance(0.1f);  // the hosting session goes once its game has returned
  EXPECT_EQ(hosting->session(), nullptr);
}

TEST_F(HostingSwap, AClientReceivingTheWorldShowsOnTheHostsWaitViewUntilItGoes) {
  RecordingScreen screen;
  HostSetup setup = loopbackSetup();
  setup.transferScreen = &screen;
  Hosting* hosting = hostWorld(local, setup);
  ASSERT_NE(hosting, nullptr);
  advance(0.2f);
  ASSERT_TRUE(hosting->worldHosted());
  const uint16_t port = static_cast<enet::EnetServer*>(hosting->server()->bridge())->port();

  RecordingNotices notices;
  LoopbackClient client("Ann", &notices);
  client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
  ASSERT_TRUE(client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port)));
  const auto pumped = [&](const std::function<bool()>& done) {
    return pumpUntil([&] {
      advance(0.02f);
      client.dispatchQueued();
    }, done);
  };
  ASSERT_TRUE(pumped([&] { return !screen.shown.empty(); }));
  EXPECT_EQ(screen.shown.front(), "Sending world.. 0%");

  client.shutdown();
  ASSERT_TRUE(pumped([&] { return screen.shown.back() == "(end)"; }));
  // The screen is the host's own: once hosting ends the endpoint no longer holds it.
  hosting->returnToLocalGame();
  const size_t seen = screen.shown.size();
  advance(0.1f);
  EXPECT_EQ(screen.shown.size(), seen);
}

TEST_F(HostingSwap, AJoiningPlayerStartsWhereTheHostStandsAndRespawnsAtTheHostsSpawn) {
  Hosting* hosting = hostWorld(local, loopbackSetup());
  ASSERT_NE(hosting, nullptr);
  advance(0.2f);
  ASSERT_TRUE(hosting->worldHosted());
  PlayerBase* host = hosting->session()->running().player.get();
  ASSERT_NE(host, nullptr);
  host->setCellCoordinates(17, 9);
  host->setSpawnCell(12, 8);
  const uint16_t port = static_cast<enet::EnetServer*>(hosting->server()->bridge())->port();

  RecordingNotices notices;
  LoopbackClient client("Ann", &notices);
  RecordingArrival arrival;
  client.worldReceiver().setArrival(&arrival);
  client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
  ASSERT_TRUE(client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port)));
  ASSERT_TRUE(pumpUntil([&] {
    advance(0.02f);
    client.dispatchQueued();
  }, [&] { return arrival.cells.has_value(); }));
  // Not the map's corner, where a player stands inside the rock in the dark.
  EXPECT_EQ(*arrival.cells, (PlayerCells{17, 9, 12, 8}));
  client.worldReceiver().setArrival(nullptr);
  client.shutdown();
}

// Two games hosted side by side, each made the program's way: the second's endpoint is its own,
// and neither making nor quitting it ends the first's, which still takes a joining player.
TEST_F(HostingSwap, ASecondHostedGameLeavesTheFirstsEndpointListening) {
  Hosting first(local, loopbackSetup());
  ASSERT_TRUE(first.start());
  advance(0.2f);
  ASSERT_TRUE(first.worldHosted());
  NetServer* firstServer = first.server();

  LocalSession otherLocal{{}, nullptr, nullptr, {}, {.saves = &saves}};
  auto second = std::make_unique<Hosting>(otherLocal, loopbackSetup());
  ASSERT_TRUE(second->start());
  ASSERT_EQ(first.server(), firstServer);
  EXPECT_FALSE(firstServer->isShutDown()) << "making the second game ends nothing of the first";
  EXPECT_NE(second->server(), firstServer);
  advance(0.2f);
  EXPECT_TRUE(second->worldHosted());
  second->game()->quit();
  second.reset();
  advance(0.1f);  // the second's session and endpoint go after the frame's tasks
  ASSERT_EQ(first.server(), firstServer);
  EXPECT_FALSE(firstServer->isShutDown()) << "quitting the second game ends nothing of the first";

  RecordingNotices notices;
  LoopbackClient client("Ann", &notices);
  RecordingArrival arrival;
  client.worldReceiver().setArrival(&arrival);
  client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
  const uint16_t port = static_cast<enet::EnetServer*>(firstServer->bridge())->port();
  ASSERT_TRUE(client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port)));
  EXPECT_TRUE(pumpUntil([&] {
    advance(0.02f);
    client.dispatchQueued();
  }, [&] { return arrival.cells.has_value(); })) << "the first host still sends its world";
  client.worldReceiver().setArrival(nullptr);
  client.shutdown();
  first.returnToLocalGame();
  advance(0.1f);
}

}  // namespace
}  // namespace nettest
