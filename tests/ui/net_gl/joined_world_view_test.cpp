// A joined game drawn: a host and two clients in one process over real ENet on 127.0.0.1. The
// first client (Ann) joins through the program's way in and is the one drawn: the world the host
// sent shows around her player, a cell the host mines changes on her screen, the second client
// (Bob) appears as a sprite on his cell once he entered, follows him when he is moved and goes
// when he leaves; her wait view's line said another client was joining meanwhile. Back in a local
// game, the view and every sprite are gone. The test atlases are plain: each block its own colour,
// the players' parts red.

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

namespace {

using namespace worldgl;

constexpr Rgba kBody{255, 0, 0, 255};
constexpr int kColumn = 100;  // Ann's cell, in the middle of the window
constexpr int kRow = 60;      // the first row of air over the dirt
constexpr int kStrip = 40;    // the width of a strip read in the middle of a column of cells

std::string plainPng(int size, const Rgba& colour) {
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
  bool runUntil(const std::function<bool()>& done, int seconds = 30) {
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

TEST_F(JoinedWorldView, TheJoinedWorldIsDrawnAndACellTheHostMinesChangesOnTheScreen) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  World* joined = swap->endpoint()->worldReceiver().world();
  ASSERT_NE(joined, nullptr);
  // The joined world and player are the running ones while the game plays, and the view shows them.
  EXPECT_EQ(runningWorld().world.get(), joined);
  EXPECT_EQ(runningWorld().player.get(), swap->joined()->player());
  ASSERT_TRUE(layer->hasWorldView());
  EXPECT_TRUE(layer->showsWorld(joined));
  layer->setSky(nullptr, {}, 0);  // the cells are read against black
  frame();

  EXPECT_GT(bodyPixelsInColumn(kColumn), 200u) << "Ann's own sprite in the middle";
  const Rgba dirt = pixelOf(kColumn + 1, kRow - 1);
  EXPECT_FALSE(near(dirt, {0, 0, 0, 255}, 20)) << "dirt under the host's feet";

  BlockEdit mined;
  mined.kind = edit_kind::kRemoveLayer;
  mined.x = kColumn + 1;
  mined.y = kRow - 1;
  hostSends(wire::WireOut(wire::outgoing(60, wire::Side::Host)).u8(0).blockEdit(mined));
  ASSERT_TRUE(runUntil([&] { return joined->cellAt(kColumn + 1, kRow - 1)->frontId() == 0; }, 5));
  frame();
  const Rgba after = pixelOf(kColumn + 1, kRow - 1);
  EXPECT_FALSE(near(after, dirt, 20)) << "the mined cell no longer shows dirt";
  EXPECT_TRUE(near(after, {0, 0, 0, 255}, 20)) << "nothing is drawn where the cell was mined";
  EXPECT_TRUE(near(pixelOf(kColumn - 1, kRow - 1), dirt, 20)) << "the cell beside it still shows dirt";
}

TEST_F(JoinedWorldView, AnotherPlayerAppearsOnItsCellFollowsItsMovesAndGoesWhenItLeaves) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  // The host's own player was there before Ann: she is shown him on entering. Her copy of him is
  // moved out of the columns read below, so that Bob is what they show.
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 1; }, 5)) << "the host's player is drawn for Ann";
  PlayerClientDesktop* hostCopy = swap->endpoint()->remotePlayer(0);
  ASSERT_NE(hostCopy, nullptr);
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(0).cell(kColumn + 6, kRow));
  ASSERT_TRUE(runUntil([&] { return hostCopy->cellX == static_cast<uint32_t>(kColumn + 6); }, 5));
  layer->setSky(nullptr, {}, 0);
  frames(2);
  const size_t leftAlone = bodyPixelsInColumn(kColumn - 1);
  const size_t rightAlone = bodyPixelsInColumn(kColumn + 1);

  joinAsBob();
  ASSERT_TRUE(runUntil([&] { return bob->state() == NetClient::kWorldReceived; }));
  // While Bob downloads, Ann's wait view says another client is joining.
  EXPECT_TRUE(std::find(waitLines.begin(), waitLines.end(),
                        std::make_pair(std::string(UiNetClientView::kJoiningText), std::string())) != waitLines.end());
  EXPECT_EQ(remoteSprites(), 1u) << "no sprite of Bob before he entered";

  bob->enterWorld(5, 5);
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 2; }, 5));
  PlayerClientDesktop* copy = swap->endpoint()->remotePlayer(2);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->cellX, static_cast<uint32_t>(kColumn + 1));
  EXPECT_TRUE(copy->hasSprite);
  frames(2);
  EXPECT_GT(bodyPixelsInColumn(kColumn + 1), rightAlone + 200) << "Bob drawn on his cell, right of Ann";

  // The host moves him two cells left of Ann: his sprite follows.
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(2).cell(kColumn - 1, kRow));
  ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(kColumn - 1); }, 5));
  frames(2);
  EXPECT_GT(bodyPixelsInColumn(kColumn - 1), leftAlone + 200) << "Bob drawn on his new cell";
  EXPECT_LE(bodyPixelsInColumn(kColumn + 1), rightAlone + 20) << "nothing left where he stood";

  // He walks right: his copy replays the motion, and his sprite animates and goes along with it.
  PlayerSprite* bobSprite = spriteOf(*copy);
  ASSERT_NE(bobSprite, nullptr);
  const float spriteX = bobSprite->animator()->getPositionX();
  const float copyX = copy->position.x;
  wire::WireOut walk(wire::outgoing(20, wire::Side::Host));
  walk.peer(2);
  player_record::writeMotion(walk, {MotionEvent::kRight, MotionEvent::kPressed, copyX, copy->position.y, 2.0f, 0, 0, 0});
  hostSends(walk);
  ASSERT_TRUE(runUntil([&] { return copy->position.x > copyX + 20.0f; }, 5));
  EXPECT_TRUE(bobSprite->animating()) << "his walk is played on his sprite";
  EXPECT_NEAR(bobSprite->animator()->getPositionX() - spriteX, copy->position.x - copyX, 1.0f);
  hostSends(wire::WireOut(wire::outgoing(18, wire::Side::Host)).peer(2).cell(kColumn - 1, kRow));
  ASSERT_TRUE(runUntil([&] { return copy->cellX == static_cast<uint32_t>(kColumn - 1); }, 5));

  bob->shutdown();
  bob.reset();
  ASSERT_TRUE(runUntil([&] { return swap->endpoint()->remotePlayer(2) == nullptr; }, 10));
  EXPECT_EQ(remoteSprites(), 1u) << "the host's player stays";
  frames(2);
  EXPECT_LE(bodyPixelsInColumn(kColumn - 1), leftAlone + 20) << "his sprite went with him";
  EXPECT_EQ(PlayerSprite::all().size(), 2u) << "Ann's own sprite and the host's player's";
}

TEST_F(JoinedWorldView, BackInALocalGameTheJoinedViewIsGoneAndNothingOfItIsLeft) {
  ASSERT_TRUE(joinAsAnn());
  ASSERT_TRUE(runUntil([&] { return annInGame(); }));
  joinAsBob();
  ASSERT_TRUE(runUntil([&] { return bob->state() == NetClient::kWorldReceived; }));
  bob->enterWorld(5, 5);
  ASSERT_TRUE(runUntil([&] { return remoteSprites() == 2; }, 5)) << "the host's player and Bob";

  swap->returnToLocalGame();
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(runningWorld().world, nullptr) << "the joined world is given back, not kept";
  EXPECT_EQ(runningWorld().player, nullptr);
  EXPECT_TRUE(PlayerSprite::all().empty());
  EXPECT_EQ(remoteSprites(), 0u);
  // The retired game and its endpoint (with the world and Bob's copy) go after the frame's tasks.
  frames(3);
  EXPECT_EQ(swap->joined(), nullptr);
  EXPECT_EQ(swap->endpoint(), nullptr);
  EXPECT_FALSE(layer->hasWorldView());
  EXPECT_EQ(&currentGame(), static_cast<GameInterface*>(&local->game())) << "the game played alone is current again";
}

TEST_F(JoinedWorldView, TheLoadingLabelShowsTheDownloadAndWhatItReadsWhenItStalls) {
  testsupport::TempDir fonts;
  fonts.write("blocks.png", textgl::blockFontPage());
  engine::Label* label = engine::Label::createWithBMFont(fonts.write("blocks.fnt", textgl::blockFontText()), "");
  ASSERT_NE(label, nullptr);
  layer->addChild(label, 5, MainLayer::kLoadingLabelTag);
  engine::Scheduler* clock = engine::Director::getInstance()->getScheduler();
  const auto wait = [clock](float seconds) {
    for (float t = 0; t < seconds; t += 0.1f) clock->update(0.1f);
  };

  transferScreen.loadingStatus("Downloading.. 10%", "Waiting for server..");
  EXPECT_EQ(label->getString(), "Downloading.. 10%");
  wait(1.5f);
  transferScreen.loadingStatus("Downloading.. 20%", "Waiting for server..");
  wait(1.5f);
  EXPECT_EQ(label->getString(), "Downloading.. 20%") << "a newer status starts the two seconds again";
  wait(1.0f);
  EXPECT_EQ(label->getString(), "Waiting for server..");
  transferScreen.loadingStatus("Downloading.. 100%", "");
  wait(3.0f);
  EXPECT_EQ(label->getString(), "Downloading.. 100%") << "no stalled text: the line stays";

  // The loading screen ended before the stall: nothing is written anywhere.
  transferScreen.loadingStatus("Downloading.. 30%", "Waiting for server..");
  layer->removeChild(label);
  wait(3.0f);
  EXPECT_EQ(layer->getChildByTag(MainLayer::kLoadingLabelTag), nullptr);
}

}  // namespace
