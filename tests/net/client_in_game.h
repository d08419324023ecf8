#pragma once
// A client endpoint in the game over a small world of its own: a 40 x 20 world with its entity
// lists, the local player (peer 1) recording what it is told, the host's entry (peer 0, "Host")
// and a copy of one other player (peer 2, "Ann"), and a recording bridge and interface. Messages
// go in as the transport hands them over, through the catalogue's check. The client tests and
// the client's fuzz harness share it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "entities/core/world_entities.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "net/endpoint/net_client.h"
#include "net/wire/connection_messages.h"
#include "platform/settings/settings.h"
#include "tests/net/endpoint/recording_bridges.h"
#include "tests/net/net_test_support.h"
#include "tests/world/world_test_blocks.h"
#include "world/map/world_params.h"
#include "world/world.h"
#include "tests/support/settings_reset.h"

namespace nettest {

class ClientEvents final : public PlayerEvents {
 public:
  struct Line {
    uint8_t kind;
    std::string text;
    bool operator==(const Line&) const = default;
  };
  void message(uint8_t kind, const std::string& text) override { lines.push_back({kind, text}); }
  void tileEffect(PlayerGraphical&, const MapBlock&, uint8_t kind) override { tileEffects.push_back(kind); }
  void inventoryView(uint8_t) override { ++inventoryViews; }
  void popToMainView() override { ++mainViews; }
  void forgeRefreshed(PlayerGraphical&, int result) override { forgeRefreshes.push_back(result); }
  void signLabel(const MapBlock&, const std::vector<std::string>& shown) override { signLines = shown; }

  std::vector<Line> lines;
  std::vector<uint8_t> tileEffects;
  std::vector<int> forgeRefreshes;
  std::vector<std::string> signLines;
  int inventoryViews = 0;
  int mainViews = 0;
};

class RecordingClientView final : public NetClientView {
 public:
  bool inventoryViewIsCurrent() const override { return inventoryCurrent; }
  void joiningStatus(bool joining) override { statuses.push_back(joining); }
  void remotePlayerShown(PlayerClientDesktop& player) override { shown.push_back(&player); }
  void remotePlayerGone(PlayerClientDesktop& player) override { gone.push_back(&player); }
  PlayerEvents* copyEvents() override { return copyEventsTo; }

  bool inventoryCurrent = false;
  PlayerEvents* copyEventsTo = nullptr;
  std::vector<bool> statuses;
  std::vector<PlayerClientDesktop*> shown;
  std::vector<PlayerClientDesktop*> gone;
};

class ClientInGame {
 public:
  static constexpr int32_t kWidth = 40;
  static constexpr int32_t kHeight = 20;
  static constexpr uint8_t kLocalPeer = 1;
  static constexpr uint8_t kOtherPeer = 2;

  ClientInGame() {
    testsupport::resetSettings();
    resetContentTables();
    world_test::defineStandardBlocks();
    world = World::create(nullptr, WorldParams{}, kWidth, kHeight);
    world->setContext(WorldContext{.entities = &entitiesMaker});
    entities = world->entities();
    player = std::make_unique<PlayerDesktopLocal>(nullptr, &events);
    player->setWorld(world.get());
    player->setCellCoordinates(5, 5);
    client.setWorld(world.get());
    client.setLocalPlayer(player.get());
    client.setView(&view);
    auto owned = std::make_unique<RecordingClientBridge>();
    bridge = owned.get();
    client.setBridge(std::move(owned));
    entry(kLocalPeer, 1, "Me");
    entry(0, 0, "Host");
    entry(kOtherPeer, 0, "Ann");
    client.enterWorld();
    bridge->sent.clear();
  }
  ~ClientInGame() {
    client.setView(nullptr);
    testsupport::resetSettings();
  }

  // One message as the transport hands it over, drained at once.
  void receive(const std::vector<uint8_t>& bytes) {
    client.received(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    client.dispatchQueued();
  }
  void receive(const wire::WireOut& out) { receive(std::vector<uint8_t>(out.data(), out.data() + out.size())); }
  static wire::WireOut fromHost(uint8_t id) { return wire::WireOut(wire::outgoing(id, wire::Side::Host)); }

  void entry(uint8_t peer, uint8_t isReceiver, const std::string& name) {
    receive(fromHost(7).peer(peer).u8(isReceiver).name(name));
  }

  ClientEvents events;
  RecordingClientView view;
  std::unique_ptr<World> world;
  WorldEntitiesMaker entitiesMaker;
  WorldEntities* entities = nullptr;  // the world's own
  std::unique_ptr<PlayerDesktopLocal> player;
  NetClient client{"Me"};
  RecordingClientBridge* bridge = nullptr;
};

}  // namespace nettest
