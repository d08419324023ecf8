// Network play from the program's own menus: a new character hosts a new world through
// "Multiplayer", "Host a world", on a free port; a headless guest in the same process joins it on
// 127.0.0.1, receives the world (the host's console says it entered) and mines a cell next to the
// host's player; the host's world loses the block, the guest's copy follows, and the host's window
// draws the cell without it. Leaving from the pause view ends the hosting, and the guest hears
// that the host quit.

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "content/items/block_edit.h"
#include "engine/text/label.h"
#include "game/player/player_desktop.h"
#include "menus/start_view.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/hosting.h"
#include "net/transports/enet_client.h"
#include "net/transports/steam/steam_server.h"
#include "platform/desktop_platform.h"
#include "platform/steam/steam_presence.h"
#include "platform/steam/steam_stand_in.h"
#include "net/wire/wire_out.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/net/host_game/content_items.h"
#include "tests/net/loopback_fixture.h"
#include "tests/net/net_test_support.h"
#include "view/player/player_sprite.h"
#include "ui/views/main_view.h"
#include "view/console/console_node.h"
#include "world/cells/map_block.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/player_state_record.h"
#include "world/current_world.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

using namespace apptest;

constexpr const char* kLoopback = "127.0.0.1";
constexpr uint8_t kBlockEditRequest = 60;
constexpr uint8_t kHeldItem = 21;

// A UDP socket bound to a port of 127.0.0.1 that the system picks, open until it goes.
class BoundPort {
 public:
  BoundPort() : fd_(::socket(AF_INET, SOCK_DGRAM, 0)) {
    if (fd_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~BoundPort() {
    if (fd_ >= 0) ::close(fd_);
  }
  BoundPort(const BoundPort&) = delete;
  BoundPort& operator=(const BoundPort&) = delete;
  uint16_t port() const { return port_; }

 private:
  int fd_;
  uint16_t port_ = 0;
};

// A UDP port on 127.0.0.1 that nothing used a moment ago.
uint16_t freePort() { return BoundPort().port(); }

// The ground of the column: its highest cell whose front block stops a walker (no plant, trunk or
// leaf) with an open cell above it.
MapBlock* groundIn(World& world, int32_t column) {
  WorldMap& map = world.map();
  for (int32_t row = map.height() - 2; row > 0; --row) {
    MapBlock* cell = map.cellAt(column, row);
    if (cell->blocksMovement(map.props()) && !map.cellAt(column, row + 1)->blocksMovement(map.props())) return cell;
  }
  return nullptr;
}

// Ground a few columns from the player, no more than three rows above or below its feet, so that
// the window shows it.
MapBlock* groundBeside(PlayerDesktopLocal& player) {
  const int32_t x = static_cast<int32_t>(player.cellX);
  const int32_t y = static_cast<int32_t>(player.cellY);
  for (int32_t dx : {3, -3, 2, -2, 4, -4}) {
    MapBlock* top = groundIn(*player.world, x + dx);
    // The block under the column's top: mined, it leaves its back wall in the shade behind it. The
    // top block's back, left in the open, is drawn in the sun much as the block in front of it was.
    MapBlock* cell = top != nullptr ? player.world->cellAt(top->x, top->y - 1) : nullptr;
    if (cell != nullptr && cell->frontId() != 0 && std::abs(static_cast<int32_t>(cell->y) - y) <= 3) {
      return cell;
    }
  }
  return nullptr;
}

// What a guest's game sends to mine a cell: the breaking's effects, then the layer removed.
void mine(NetClient& guest, const MapBlock& cell) {
  for (const uint8_t kind : {edit_kind::kBreakEffects, edit_kind::kRemoveLayer}) {
    BlockEdit edit;
    edit.kind = kind;
    edit.x = cell.x;
    edit.y = cell.y;
    edit.extra = kind == edit_kind::kRemoveLayer ? 1 : 0;
    const wire::WireOut out =
        wire::WireOut(wire::outgoing(kBlockEditRequest, wire::Side::Client)).u8(0).blockEdit(edit);
    guest.send(out.data(), out.size(), 0);
  }
}

// From the start view through "Multiplayer" and "Host a world" with a new character and a new world
// of the smallest size, listening on the port, until the hosted world is entered.
std::vector<Step> intoAHostedWorld(const std::string& portText, bool throughFriends = false) {
  auto waited = std::make_shared<int>(0);
  const Step connection =
      throughFriends
          ? Step{"through the store front's friends", [] {
                   return chooseRow("Connection: ") && hasRow("Connection: Friends (store front)");
                 }, 1}
          : Step{"type the port", [portText] { return typeInRow("Port: ", portText, 5); }};
  return {
      {"the start view", [waited] { return current() == ViewId::Start && ++*waited >= 3; }},
      {"multiplayer", [] { return chooseRow("Multiplayer") && startView().page() == StartView::Page::Multiplayer; }},
      {"host a world", [] { return chooseRow("Host a world") && startView().page() == StartView::Page::Characters; }},
      {"new character", [] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
      {"create it", [] { return chooseRow("Create") && startView().status() == "Created Player."; }},
      {"play as it", [] {
         return chooseRow("Play as Player") && startView().page() == StartView::Page::Worlds &&
                startView().title() == "Host a world";
       }},
      connection,
      {"new world", [] { return chooseRow("New world") && hasRow("Size: 512 x 128"); }},
      {"create and host it", [] { return chooseRow("Create and host") && current() == ViewId::Wait; }},
      workerStep("the hosted world is entered", [waited] {
         *waited = 0;
         const bool hosted = currentHosting() != nullptr && currentHosting()->worldHosted() && currentHosting()->server() != nullptr;
         return current() == ViewId::Main && player() != nullptr && hosted;
       }),
  };
}

// Standing room two columns right of the player, made there: the two cells on her row and the row
// above open between her and it, a full block under each (the one under her own feet). The hosted
// world is new each run, and a guest's record that puts her inside a hill is refused, while one
// over a drop lets her fall from it; so the room is dug rather than looked for.
MapBlock* standingRoomRightOf(const PlayerDesktopLocal& host) {
  WorldMap& map = host.world->map();
  const int32_t x = static_cast<int32_t>(host.cellX);
  const int32_t y = static_cast<int32_t>(host.cellY);
  const MapBlock* floor = map.cellAt(x, y - 1);
  if (floor == nullptr || floor->frontId() == 0 || map.props()[floor->frontId()].transparency != 0) return nullptr;
  const uint16_t ground = floor->frontId();
  for (int32_t dx = 1; dx <= 2; ++dx) {
    MapBlock* under = map.cellAt(x + dx, y - 1);
    MapBlock* at = map.cellAt(x + dx, y);
    MapBlock* above = map.cellAt(x + dx, y + 1);
    if (under == nullptr || at == nullptr || above == nullptr) return nullptr;
    under->setFront(ground, 0, 0);
    at->setFront(0, 0, 0);
    above->setFront(0, 0, 0);
    for (const MapBlock* written : {under, at, above}) map.markChanged(*written);
  }
  return map.cellAt(x + 2, y);
}

using HostFromMenusTest = AppRunTest;

TEST_F(HostFromMenusTest, AGuestJoinsAWorldHostedFromTheMenusAndTheHostSeesTheCellItMined) {
  const uint16_t port = freePort();
  ASSERT_NE(port, 0);
  const std::string portText = std::to_string(port);
  nettest::RecordingNotices guestNotices;
  std::unique_ptr<NetClient> guest;
  MapBlock* target = nullptr;
  std::vector<unsigned char> before;
  int waited = 0;
  const auto wait = [&waited](int frames) { return ++waited >= frames ? (waited = 0, true) : false; };

  Script script(joined(intoAHostedWorld(portText), {
      {"a guest connects on 127.0.0.1", [&] {
         guest = std::make_unique<NetClient>("Guest", &guestNotices);
         guest->setBridge(std::make_unique<enet::EnetClient>(guest->bridgeListener(), kel::NetBridgeSetup{}));
         return guest->bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port));
       }, 1},
      workerStep("the guest receives the world", [&] {
         guest->dispatchQueued();
         return guest->state() == NetClient::kWorldReceived && guest->worldReceiver().world() != nullptr;
       }),
      {"the guest enters it", [&] {
         guest->enterWorld(5, 5);
         NetServer* server = currentHosting()->server();
         return server != nullptr && server->entryOf(guest->localPeerId()) != nullptr;
       }, 1},
      workerStep("the host's console says the guest entered", [] {
         ConsoleNode* console = MainView::console();
         if (console == nullptr || console->lineCount() < 1) return false;
         auto* line = dynamic_cast<engine::Label*>(console->getChildByTag(console->lineCount()));
         return line != nullptr && line->getString() == "Guest entered the world.";
       }),
      workerStep("the host's window draws the guest's player", [&] {
         NetServer* server = currentHosting()->server();
         const PlayerBase* guestPlayer = server->entryOf(guest->localPeerId())->player();
         return guestPlayer != nullptr && guestPlayer->hasSprite && PlayerSprite::all().size() == 2;
       }),
      {"a cell beside the host's player", [&] {
         target = groundBeside(*player());
         if (target == nullptr) return false;
         before = tilePixelsAt(*target);
         return wait(5);
       }, 30},
      {"the guest mines it", [&] {
         // With a tool in hand that breaks it, as a guest's game mines: one she brought, so the
         // host's copy of her items holds it too.
         const ItemPtr tool = nettest::toolBreaking(target->frontId());
         currentHosting()->server()->entryOf(guest->localPeerId())->remote()->items().add(*tool);
         const wire::WireOut held =
             wire::WireOut(wire::outgoing(kHeldItem, wire::Side::Client)).item(tool.get()).u8(0).peer(guest->localPeerId());
         guest->send(held.data(), held.size(), 0);
         mine(*guest, *target);
         return true;
       }, 1},
      workerStep("the host's world and the guest's copy lose the block", [&] {
         guest->dispatchQueued();
         const MapBlock* copy = guest->worldReceiver().world()->cellAt(target->x, target->y);
         return target->frontId() == 0 && copy != nullptr && copy->frontId() == 0;
       }),
      {"the host's window draws the cell without it", [&] {
         if (!wait(10)) return false;
         EXPECT_TRUE(muchChanged(before, tilePixelsAt(*target))) << "the mined cell still draws its block";
         return true;
       }, 20},
      {"pause", [] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      workerStep("leave from the pause view", [&] { return saveAndQuitOnce(waited); }),
      workerStep("the hosting ended and the guest heard it", [&] {
         guest->dispatchQueued();
         return currentHosting()->server() == nullptr && !guestNotices.lostTexts.empty();
       }),
  }));

  // The guest goes with the run's director and views, which its drain and its copies use.
  playScript(script, [&] {
    if (script.finished() && guest != nullptr) {
      guest->shutdown();
      guest.reset();
    }
  });
  EXPECT_EQ(guestNotices.lostTexts, (std::vector<std::string>{"The host has quit the game."}));
}

// Trading starts at the window: the host right-clicks the guest standing beside its player, and the
// guest is asked to trade by the host, as the one clicked.
TEST_F(HostFromMenusTest, RightClickingAGuestBesideTheHostAsksThatGuestToTrade) {
  const uint16_t port = freePort();
  ASSERT_NE(port, 0);
  const std::string portText = std::to_string(port);
  nettest::RecordingNotices guestNotices;
  std::unique_ptr<nettest::LoopbackClient> guest;
  MapBlock* beside = nullptr;
  int waited = 0;
  const auto guestPlayer = [&]() -> PlayerBase* {
    NetServer* server = currentHosting()->server();
    const NetPlayerServer* entry = server != nullptr ? server->entryOf(guest->localPeerId()) : nullptr;
    return entry != nullptr ? entry->player() : nullptr;
  };
  const auto askedToTrade = [&] {
    for (const nettest::Received& r : guest->seen) {
      if (r.bytes.size() == 36 && r.bytes[0] == 11 && r.bytes[1] == 112) return r.bytes[2] == 0 && r.bytes[3] == guest->localPeerId();
    }
    return false;
  };

  Script script(joined(intoAHostedWorld(portText), {
      {"a guest connects on 127.0.0.1", [&] {
         guest = std::make_unique<nettest::LoopbackClient>("Guest", &guestNotices);
         guest->setBridge(std::make_unique<enet::EnetClient>(guest->bridgeListener(), kel::NetBridgeSetup{}));
         return guest->bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port));
       }, 1},
      workerStep("the guest receives the world", [&] {
         guest->dispatchQueued();
         return guest->state() == NetClient::kWorldReceived && guest->worldReceiver().world() != nullptr;
       }),
      {"the guest enters it", [&] {
         guest->enterWorld(5, 5);
         return guestPlayer() != nullptr;
       }, 1},
      {"the guest walks beside the host's player", [&] {
         beside = standingRoomRightOf(*player());
         if (beside == nullptr) return false;
         PlayerStateRecord motion;
         motion.code = PlayerStateRecord::kRight;
         motion.phase = PlayerStateRecord::kReleased;
         motion.x = static_cast<float>(beside->x) * 30.0f;
         motion.y = static_cast<float>(beside->y) * 30.0f;
         guest->sendMotion(motion);
         return true;
       }, 1},
      workerStep("the host's window draws the guest there", [&] {
         guest->dispatchQueued();
         const PlayerBase* there = guestPlayer();
         return there != nullptr && there->hasSprite && there->occupiesCell(*beside);
       }),
      {"the host right-clicks the guest", [&] {
         click(pointOf(*beside), GLFW_MOUSE_BUTTON_RIGHT);
         return true;
       }, 1},
      workerStep("the guest is asked to trade by the host", [&] {
         guest->dispatchQueued();
         return askedToTrade();
       }),
      {"pause", [] {
         tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }},
      workerStep("leave from the pause view", [&] { return saveAndQuitOnce(waited); }),
  }));

  playScript(script, [&] {
    if (script.finished() && guest != nullptr) {
      guest->shutdown();
      guest.reset();
    }
  });
}

}  // namespace

namespace {

// With the store front's stand-in, a world is hosted through the friends' connection (the host's
// rich presence says so), and the join page's friends' games list none: the stand-in's user has
// no friends.
TEST_F(HostFromMenusTest, WithTheStandInAWorldIsHostedThroughTheStoreFrontsFriends) {
  ::setenv(kel::kStoreFrontVariable, kel::kStandInChoice, 1);
  std::string friendsLine;
  std::string status;
  bool storeFrontBridge = false;
  std::vector<Step> steps = intoAHostedWorld("", true);
  // A character made on the way to the friends' games hosts afterwards.
  steps.erase(steps.begin() + 3, steps.begin() + 5);
  steps.insert(steps.begin() + 1, {"the friends' games", [&] {
                                     chooseRow("Multiplayer");
                                     chooseRow("Join a game");
                                     chooseRow("New character");
                                     chooseRow("Create");
                                     chooseRow("Play as Player");
                                     chooseRow("Friends' games");
                                     if (startView().page() != StartView::Page::Friends) return false;
                                     friendsLine = startView().lines().front();
                                     startView().showMainMenu();
                                     return true;
                                   }, 1});
  steps.push_back({"its presence says it hosts", [&] {
                     auto* platform = dynamic_cast<kel::DesktopPlatform*>(kel::Platform::instance());
                     kel::SteamFriends* friends = platform != nullptr ? platform->steamApi().friends() : nullptr;
                     if (friends != nullptr) status = friends->friendRichPresence(kel::kStandInLocalId, kel::presence::kPlayerStatus);
                     storeFrontBridge = dynamic_cast<steam::SteamServer*>(currentHosting()->server()->bridge()) != nullptr;
                     return true;
                   }, 1});
  Script script(std::move(steps));
  playScript(script);
  ::unsetenv(kel::kStoreFrontVariable);
  EXPECT_EQ(friendsLine, "No friend is hosting or playing a game now.");
  EXPECT_TRUE(storeFrontBridge);
  EXPECT_EQ(status, kel::presence::kServer);
}

// A port that another program holds cannot be hosted on: the new world page says so, and the game
// played alone stays current with no endpoint.
TEST_F(HostFromMenusTest, APortInUseIsRefusedWithTheReasonAndTheGameStaysAlone) {
  const BoundPort taken;
  ASSERT_NE(taken.port(), 0);
  const std::string portText = std::to_string(taken.port());
  std::vector<Step> steps = intoAHostedWorld(portText);
  steps.back() = {"refused", [&] {
                    return current() == ViewId::Start && startView().page() == StartView::Page::NewWorld &&
                           startView().status() == "The world could not be hosted: port " + portText + " may be in use." &&
                           (currentHosting() == nullptr || currentHosting()->server() == nullptr) &&
                           currentWorld() == nullptr && currentGame().sessionKind() == 0;
                  }, 10};
  steps[steps.size() - 2] = {"create and host it", [] { return chooseRow("Create and host"); }, 1};
  Script script(std::move(steps));
  playScript(script);
}

// Closing the program while it hosts ends the hosting: nothing of it outlives the run.
TEST_F(HostFromMenusTest, QuittingTheProgramWhileHostingEndsTheHosting) {
  const uint16_t port = freePort();
  ASSERT_NE(port, 0);
  Script script(intoAHostedWorld(std::to_string(port)));
  playScript(script);
  EXPECT_EQ(currentHosting(), nullptr);
}

}  // namespace
