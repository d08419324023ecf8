#pragma once
// A joined game drawn, for the tests that read it: a host and clients in one process over real ENet on
// 127.0.0.1. The first client (Ann) joins through the program's way in and is the one drawn; a second
// (Bob) is an endpoint alone that enters when a test says. The host is an endpoint over a world of
// dirt under full sky, sending what a test makes it send. The test atlases are plain: each block its
// own colour, the players' parts red.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "content/items/block_edit.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "entities/core/world_entities.h"
#include "game/session/game_local.h"
#include "game/session/game_screen.h"
#include "game/session/local_session.h"
#include "net/client_game/client_game_swap.h"
#include "net/players/player_records.h"
#include "net/transports/enet_bridge_factory.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_out.h"
#include "platform/desktop_platform.h"
#include "tests/engine/text_gl/text_gl_fixture.h"
#include "tests/net/loopback_fixture.h"
#include "tests/view/world_view_fixture.h"
#include "ui/net/ui_net_client_view.h"
#include "ui/net/ui_transfer_screen.h"
#include "ui/ui_launch_services.h"
#include "view/player/player_sprite.h"
#include "view/player/player_sprite_remote.h"
#include "view/player/world_view_player_events.h"
#include "view/tiles/tile_refresh.h"
#include "view/view_game_screen.h"
#include "world/rules/game.h"
#include "world/edits/edit_kind.h"

namespace worldgl {

constexpr Rgba kBody{255, 0, 0, 255};
constexpr int kColumn = 100;  // Ann's cell, in the middle of the window
constexpr int kRow = 60;      // the first row of air over the dirt
constexpr int kStrip = 40;    // the width of a strip read in the middle of a column of cells

inline std::string plainPng(int size, const Rgba& colour) {
  rendertest::PngSpec png;
  png.width = size;
  png.height = size;
  png.pixels.assign(static_cast<size_t>(size) * size * 4, 0);
  for (size_t i = 0; i < png.pixels.size(); ++i) png.pixels[i] = static_cast<uint8_t>(colour[i % 4]);
  return rendertest::encodePng(png);
}

class JoinedWorldView : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    interface.showStartView(layer);
    atlases.write("equip.png", plainPng(1024, kBody));
    registerCustomShaders();
    loadGameTextures(atlases.path().string(), false);

    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    platform->setNetBridgeFactory(kel::NET_KIND_DIRECT, &bridges);
    kel::Platform::setInstance(platform.get());
    local = std::make_unique<LocalSession>(WorldContext{}, &runningWorld(), nullptr, SessionKind{},
                                           GameServices{.screen = &screen});
    local->bindCurrent();
    swap = std::make_unique<ClientGameSwap>(*local, WorldContext{.refresh = &tileRefresh}, &notices, nullptr);
    swap->setScreens({&netView, &transferScreen});
    hostTheWorld();
  }
  void TearDown() override {
    bob.reset();
    swap.reset();
    frames(2);  // what the swap retired goes after a frame's tasks
    host.reset();
    hosted.reset();
    hostPlayer.reset();
    local.reset();
    kel::Platform::setInstance(nullptr);
    WorldViewTest::TearDown();
    // After the labels went with the pool: a label gives its font back to the cache.
    engine::FontAtlasCache::purgeCachedData();
  }

  // A world of the smallest size, dirt below row 60 under full sky; the host stands one cell right
  // of where Ann will, and a client admitted later stands where the host does.
  void hostTheWorld() {
    hosted = World::create(nullptr, WorldParams{}, 512, 128);
    hosted->setContext(WorldContext{.entities = &hostEntities});
    WorldMap& cells = hosted->map();
    for (int x = 0; x < cells.width(); ++x) {
      for (int y = 0; y < cells.height(); ++y) cells.cell(x, y).setSkyLevel(15);
      for (int y = 0; y < kRow; ++y) cells.cell(x, y).setFront(world_test::kDirt, 0, 0);
    }
    hostPlayer = std::make_unique<PlayerDesktopLocal>(nullptr);
    hostPlayer->setWorld(hosted.get());
    hostPlayer->setCellCoordinates(kColumn + 1, kRow);

    const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
    host = std::make_unique<nettest::LoopbackServer>(setup, "Host", &hostNotices);
    auto bridge = std::make_unique<enet::EnetServer>(host->bridgeListener(), setup);
    enet::EnetServer* listening = bridge.get();
    host->setBridge(std::move(bridge));
    ASSERT_TRUE(listening->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, 0)));
    port = listening->port();
    host->setWorld(hosted.get());
    host->setHostPlayer(hostPlayer.get());
    WorldSender& sender = host->worldSender();
    sender.setHostedWorld(hosted.get());
    sender.setPlayerCells([](uint8_t) { return PlayerCells{kColumn, kRow, kColumn, kRow}; });
  }

  bool joinAsAnn() {
    return swap->joinWorld(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port), "Ann");
  }
  bool annInGame() const {
    return swap->joined() != nullptr && swap->joined()->game().isStarted() &&
           swap->endpoint()->state() == NetClient::kInGame;
  }

  // Drawn frames of the program (the scheduler runs the client's drain), the host and Bob drained
  // too, until `done` holds.
  bool runUntil(const std::function<bool()>& done, int seconds = nettest::kHangSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      frame();
      if (host != nullptr) host->dispatchQueued();
      if (bob != nullptr) bob->dispatchQueued();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) frame();
  }

  // Bob connects and receives the world; he enters it himself (he has no game).
  void joinAsBob() {
    bob = std::make_unique<nettest::LoopbackClient>("Bob", &bobNotices);
    bob->setBridge(std::make_unique<enet::EnetClient>(bob->bridgeListener(), kel::NetBridgeSetup{}));
    ASSERT_TRUE(bob->bridge()->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port)));
  }

  // The host's messages to every client.
  void hostSends(const wire::WireOut& out) { host->send(out.data(), out.size(), 0); }

  // The red pixels of a strip in the middle of the column of cells, over the window's height.
  static size_t bodyPixelsInColumn(int column) {
    const int middle = kWindow / 2 + (column - kColumn) * 60;
    std::vector<uint8_t> rgba(static_cast<size_t>(kStrip) * kWindow * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(middle - kStrip / 2, 0, kStrip, kWindow, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    size_t count = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) count += near({rgba[i], rgba[i + 1], rgba[i + 2], 255}, kBody, 8);
    return count;
  }
  // The sprites of other players' copies.
  static size_t remoteSprites() {
    return static_cast<size_t>(std::count_if(PlayerSprite::all().begin(), PlayerSprite::all().end(),
                                             [](const PlayerSprite* s) { return !s->isLocal(); }));
  }
  // The middle pixel of the cell on the screen, Ann's cell in the middle.
  static Rgba pixelOf(int column, int row) { return cellPixel(column - kColumn + 10, row - kRow + 10); }

  ViewGameScreen screen{runningWorld()};
  TileRefresh tileRefresh;
  std::vector<std::pair<std::string, std::string>> waitLines;
  UiLaunchServices interface;  // the interface draws on the test's main layer
  UiTransferScreen transferScreen{[this](const std::string& a, const std::string& b) { waitLines.emplace_back(a, b); },
                                  &interface};
  UiNetClientView netView{transferScreen.wait(), interface};
  enet::EnetBridgeFactory bridges;
  std::unique_ptr<kel::DesktopPlatform> platform;
  std::unique_ptr<LocalSession> local;
  nettest::RecordingNotices notices;
  nettest::RecordingNotices hostNotices;
  nettest::RecordingNotices bobNotices;
  std::unique_ptr<ClientGameSwap> swap;
  std::unique_ptr<World> hosted;
  WorldEntitiesMaker hostEntities;
  std::unique_ptr<PlayerDesktopLocal> hostPlayer;
  std::unique_ptr<nettest::LoopbackServer> host;
  std::unique_ptr<nettest::LoopbackClient> bob;
  uint16_t port = 0;
};

}  // namespace worldgl
