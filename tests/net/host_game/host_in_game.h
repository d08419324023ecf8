#pragma once
// A hosting session over a recording endpoint: the host's rules (`NetLogic`) and game
// (`GameRemoteServer`) over a 40 x 30 world with a floor at row 4, the host's own player at
// (10, 5) in entry 0 (its events recorded) and a client, "Ann", admitted as peer 1 with her player at (20, 5). What the
// endpoint sends is recorded with its addressing.

#include <cstdint>
#include <memory>
#include <vector>

#include "game/session/local_session.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/game_remote_server.h"
#include "net/host_game/net_logic.h"
#include "net/wire/connection_messages.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/game/game_fixture.h"
#include "tests/game/session/side_session.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"
#include "tests/world/world_test_blocks.h"
#include "world/cells/map_block.h"

namespace nettest {

class RecordingHosting final : public HostingControl {
 public:
  void returnToLocalGame() override { ++returns; }
  void rehost(const TravelTarget& target, uint32_t) override { rehosted.push_back(target); }
  int returns = 0;
  std::vector<TravelTarget> rehosted;
};

class HostInGame : public world_test::WorldTest {
 protected:
  // The screen, saves and store the host's game is made with; none unless a test gives its own.
  virtual GameServices gameServices() { return {}; }

  static constexpr uint8_t kAnn = 1;
  static constexpr int32_t kFloorRow = 4;

  void SetUp() override {
    scenetest::resetScene();
    WorldTest::SetUp();
    auto owned = std::make_unique<RecordingServerBridge>();
    bridge = owned.get();
    server.setBridge(std::move(owned));
    server.transportOpened();
    SessionKind kind{.rules = [this] { return std::make_unique<NetLogic>(server, nullptr, nullptr, nullptr); },
                     .game = [this](LocalLogic& rules, const GameServices& services) {
                       return std::make_unique<GameRemoteServer>(static_cast<NetLogic&>(rules), server, hosting,
                                                                 services);
                     }};
    session = std::make_unique<LocalSession>(WorldContext{}, nullptr, nullptr, kind, gameServices());
    auto made = World::create(nullptr, WorldParams{}, 40, 30, session->context());
    for (int32_t x = 0; x < 40; ++x) made->cellAt(x, kFloorRow)->setLayer(world_test::kDirt, 0, MapBlock::kFront);
    game_test::playIn(*session, std::move(made), 10, kFloorRow + 1, &events);
    server.setWorld(&world());
    server.setHostPlayer(session->running().player.get());
    const wire::WireOut hello = wire::helloMessage("Ann");
    server.received(hello.data(), hello.size(), kAnn);
    server.dispatchQueued();
    ann().setCellCoordinates(20, kFloorRow + 1);
    bridge->sent.clear();
  }
  void TearDown() override {
    session.reset();
    WorldTest::TearDown();
    scenetest::resetScene();
  }

  // Ann goes through the join and enters: from then on the host hears her requests.
  void annEnters() {
    if (server.joinStage(kAnn) == host::JoinStage::Entered) return;
    ASSERT_TRUE(server.takeWorldRequest(kAnn));
    ASSERT_TRUE(server.takeWorldReceived(kAnn));
    const Bytes entered{0, 5, 100, 100};
    server.received(entered.data(), static_cast<uint32_t>(entered.size()), kAnn);
    server.dispatchQueued();
    bridge->sent.clear();
    notices.lines.clear();
  }

  World& world() { return *session->running().world; }
  NetLogic& rules() { return static_cast<NetLogic&>(session->rules()); }
  GameRemoteServer& game() { return static_cast<GameRemoteServer&>(session->game()); }
  Player& host() { return *session->running().player; }
  PlayerBase& ann() { return *server.entryOf(kAnn)->player(); }
  MapBlock& cell(int32_t x, int32_t y) { return *world().cellAt(x, y); }

  RecordingNotices notices;
  game_test::RecordingEvents events;  // the host's own player's
  RecordingHosting hosting;
  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &notices};
  RecordingServerBridge* bridge = nullptr;
  std::unique_ptr<LocalSession> session;
};

}  // namespace nettest
