// A hosting game and a client in one process over real ENet on 127.0.0.1: the host plays a
// generated world through its own rules and game; the client holds the same world. The client's
// requests to mine and to place are applied by the host's rules, and the client's world follows
// them cell for cell; the loot the host's world drops appears among the client's entities.

#include <gtest/gtest.h>

#include <memory>

#include "content/items/block_edit.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "entities/core/real_entity.h"
#include "entities/core/world_entities.h"
#include "game/player/player_desktop.h"
#include "game/session/local_session.h"
#include "game/session/session_entities.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/game_remote_server.h"
#include "net/host_game/net_logic.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "net/wire/wire_out.h"
#include "saves/world/map_packing.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/game/session/side_session.h"
#include "tests/net/host_game/content_items.h"
#include "tests/net/host_game/host_in_game.h"
#include "tests/net/host_game/hosting_session.h"
#include "tests/net/loopback_fixture.h"
#include "tests/net/transfer/transfer_fixture.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"

namespace nettest {
namespace {


BlockEdit editAt(uint8_t kind, const MapBlock& cell, uint16_t blockId) {
  BlockEdit edit;
  edit.kind = kind;
  edit.x = cell.x;
  edit.y = cell.y;
  edit.blockId = blockId;
  return edit;
}

class HostLoopback : public ::testing::Test {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    transfertest::loadContent();
    session = hostingSession(server, hosting);
    hostWorld = session->running().world.get();
    server.setWorld(hostWorld);
    server.setHostPlayer(session->running().player.get());

    clientWorld = generatedWorld({});
    clientWorld->setContext(WorldContext{.entities = &clientEntitiesMaker});
    clientEntities = clientWorld->entities();
    client.setWorld(clientWorld.get());

    const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
    auto hostBridge = std::make_unique<enet::EnetServer>(server.bridgeListener(), setup);
    enet::EnetServer* listening = hostBridge.get();
    server.setBridge(std::move(hostBridge));
    ASSERT_TRUE(listening->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, 0)));
    client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
    ASSERT_TRUE(client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, listening->port())));
    // Admitted, she asks for the world; she says it arrived and enters, and is heard from then on.
    ASSERT_TRUE(pumpUntil([&] { return server.joinStage(kAnn) == host::JoinStage::ReceivingWorld; }));
    const Bytes cellsArrived{0, 6, 0, 0};
    client.send(cellsArrived.data(), static_cast<uint32_t>(cellsArrived.size()), 0);
    client.enterWorld(5, 5);
    ASSERT_TRUE(pumpUntil([&] { return server.joinStage(kAnn) == host::JoinStage::Entered; }));
  }
  // She takes the item in hand (quick slot 3), as her game tells the host.
  // The client holds the item as one it brought: the host's copy of her items has it too.
  void holds(const ItemPtr& item) {
    server.entryOf(kAnn)->remote()->items().add(*item);
    const wire::WireOut out = wire::WireOut(wire::outgoing(21, wire::Side::Client)).item(item.get()).u8(3).peer(kAnn);
    client.send(out.data(), out.size(), 0);
  }
  void TearDown() override {
    client.shutdown();
    server.shutdown();
    session.reset();
    scenetest::resetScene();
  }

  bool pumpUntil(const std::function<bool()>& done) {
    return nettest::pumpUntil(
        [this] {
          server.dispatchQueued();
          client.dispatchQueued();
        },
        done);
  }
  void request(const BlockEdit& edit) {
    const wire::WireOut out = wire::WireOut(wire::outgoing(60, wire::Side::Client)).u8(0).blockEdit(edit);
    client.send(out.data(), out.size(), 0);
  }
  MapBlock* groundIn(int32_t column) { return nettest::groundIn(hostWorld->map(), column); }
  MapBlock& onClient(const MapBlock& cell) { return *clientWorld->cellAt(cell.x, cell.y); }
  bool same(const MapBlock& cell) { return packMapBlock(cell) == packMapBlock(onClient(cell)); }

  static constexpr uint8_t kAnn = 1;
  RecordingHosting hosting;
  RecordingNotices hostNotices;
  RecordingNotices clientNotices;
  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &hostNotices};
  std::unique_ptr<LocalSession> session;
  World* hostWorld = nullptr;
  std::unique_ptr<World> clientWorld;
  WorldEntitiesMaker clientEntitiesMaker;
  WorldEntities* clientEntities = nullptr;  // the world's own
  NetClient client{"Ann", &clientNotices};
};

TEST_F(HostLoopback, TheClientsMiningAndPlacingReachItsWorldThroughTheHostsRules) {
  transfertest::expectSameCells(hostWorld->map(), clientWorld->map(), false);
  const int32_t column = hostWorld->map().width() / 2;
  MapBlock* ground = groundIn(column);
  ASSERT_NE(ground, nullptr);
  PlayerBase& ann = *server.entryOf(kAnn)->player();
  ann.setCellCoordinates(static_cast<uint32_t>(column + 2), static_cast<uint32_t>(ground->y + 1));
  const size_t entitiesBefore = clientEntities->count();
  holds(toolBreaking(ground->frontId()));

  // As the main view mines: the breaking's effects, then the layer removed with its loot dropped.
  request(editAt(edit_kind::kBreakEffects, *ground, 0));
  BlockEdit remove = editAt(edit_kind::kRemoveLayer, *ground, 0);
  remove.extra = 1;
  request(remove);
  ASSERT_TRUE(pumpUntil([&] { return ground->frontId() == 0 && onClient(*ground).frontId() == 0; }))
      << "the host mined the cell and the client followed";
  EXPECT_TRUE(same(*ground));
  ASSERT_TRUE(pumpUntil([&] { return clientEntities->count() > entitiesBefore; }))
      << "the dropped loot appeared on the client";
  session->entities().lists().forEach([&](const RealEntity& loot) {
    EXPECT_NE(clientWorld->effects().entityById(loot.id()), nullptr) << "entity " << loot.id() << " under its own id";
  });

  const BlockItem placed = stackingBlockItem();
  holds(newItem(placed.item, 0, 5, 0, 0));
  MapBlock& above = *hostWorld->cellAt(column - 3, groundIn(column - 3)->y + 1);
  request(editAt(edit_kind::kSetLayerBlock, above, placed.block));
  ASSERT_TRUE(pumpUntil([&] { return above.frontId() == placed.block && onClient(above).frontId() == placed.block; }))
      << "the host placed the block and the client followed";
  EXPECT_TRUE(same(above));
}

}  // namespace
}  // namespace nettest
