// Joining from the program's own menus: a headless host in the same process listens on 127.0.0.1
// with a generated world; a new character types the host's address and port on the join page (typed again,
// the address replaces the old one rather than adding to it),
// saves them to the server list and joins from it. The wait view says it is connecting, the
// host's world is entered as the current game (unlocking "Better With A Friend"), and leaving from
// the pause view brings the start view back while the host sees the player go. Joined again, the
// host's departure ends the game with its reason in the start view's message; closing the program
// while joined ends the joined game. Autosave turned off and on in the pause view's Options stops
// and starts the joined game's autosave there and then, while the host's world plays on.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/stats/stats_store.h"
#include "menus/start_view.h"
#include "menus/wait_view.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/transports/enet_server.h"
#include "platform/settings/settings.h"
#include "tests/app_gl/app_run_support.h"
#include "tests/app_gl/window_play.h"
#include "tests/net/net_test_support.h"
#include "tests/net/transfer/transfer_fixture.h"
#include "ui/views/game_views.h"
#include "view/tiles/cave_backdrop.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"
#include "world/current_world.h"
#include "world/rules/game.h"
#include "world/time/world_timers.h"

namespace {

using namespace apptest;

constexpr const char* kLoopback = "127.0.0.1";
constexpr size_t kJoinedAchievement = 105;
constexpr uint8_t kJoinedSession = 2;

// A host of a generated world with no game of its own, listening on a port the system picks.
struct HeadlessHost {
  HeadlessHost() {
    server.setBridge(std::make_unique<enet::EnetServer>(server.bridgeListener(), setup));
    auto* bridge = static_cast<enet::EnetServer*>(server.bridge());
    if (!bridge->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, 0))) return;
    port = bridge->port();
    server.worldSender().setHostedWorld(world.world.get());
    server.worldSender().setPlayerCells([](uint8_t) { return PlayerCells{44, 21, 40, 20}; });
  }
  ~HeadlessHost() {
    server.worldSender().setHostedWorld(nullptr);
    server.shutdown();
  }
  // The peer that joined as `name`; 0 for none.
  uint8_t peerNamed(const std::string& name) const {
    for (size_t peer = 1; peer < server.players().size(); ++peer) {
      if (server.players().at(peer) != nullptr && server.players().at(peer)->name() == name) return static_cast<uint8_t>(peer);
    }
    return 0;
  }

  kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
  nettest::RecordingNotices notices;
  transfertest::HostWorld world = transfertest::generatedWorld(0);
  NetServer server{setup, "Host", &notices};
  uint16_t port = 0;
};

// The host drains its messages every frame of the program; it and its world go with the run's
// director and views.
class JoinFromMenusTest : public AppRunTest {
 protected:
  // From the start view to the host's world entered by a new character, the host's address and
  // port typed on the join page, saved to the server list and joined from there.
  std::vector<Step> intoTheHostsWorld() {
    return {
        {"the start view", [this] { return current() == ViewId::Start && wait(3); }},
        {"a host listens on 127.0.0.1", [this] {
           host = std::make_unique<HeadlessHost>();
           portText = std::to_string(host->port);
           return host->port != 0;
         }, 1},
        {"multiplayer", [] { return chooseRow("Multiplayer") && startView().page() == StartView::Page::Multiplayer; }},
        {"join a game", [] { return chooseRow("Join a game") && startView().page() == StartView::Page::Characters; }},
        {"new character", [] { return chooseRow("New character") && startView().page() == StartView::Page::NewCharacter; }},
        {"create it", [] { return chooseRow("Create") && startView().status() == "Created Player."; }},
        {"play as it", [] { return chooseRow("Play as Player") && startView().page() == StartView::Page::Join; }},
        {"type the address", [] { return typeInRow("Address: ", kLoopback, 0); }},
        {"typed again, the address replaces the old one", [] {
           const bool typed = typeInRow("Address: ", kLoopback, 0);
           EXPECT_FALSE(hasRow(std::string("Address: ") + kLoopback + kLoopback)) << "typing appended to the old address";
           return typed;
         }},
        {"type the port", [this] { return typeInRow("Port: ", portText, 5); }},
        {"save it to the server list", [] {
           return chooseRow("Save to the server list") && kel::options().servers.size() == 1;
         }},
        {"join it from the list", [this] {
           if (!chooseRow(savedServerRow())) return false;
           connecting = dynamic_cast<WaitView&>(gameViews()->view(ViewId::Wait)).firstLine();
           return current() == ViewId::Wait || current() == ViewId::Main;
         }},
        entered(),
    };
  }
  // The host's world is the current game's, and the host has the player.
  Step entered() {
    return workerStep("the host's world is entered", [this] {
              if (current() != ViewId::Main || currentGame().sessionKind() != kJoinedSession || currentWorld() == nullptr) {
                return false;
              }
              unlocked = statsStore().isUnlocked(kJoinedAchievement);
              return host->peerNamed("Player") != 0 && wait(30);
            });
  }
  std::string savedServerRow() const { return std::string("Join ") + kLoopback + ":" + portText; }
  bool wait(int frames) { return ++waited >= frames ? (waited = 0, true) : false; }
  void run(std::vector<Step> steps) {
    Script script(std::move(steps));
    playScript(script, [&] {
      if (host == nullptr) return;
      host->server.dispatchQueued();
      if (script.finished()) host.reset();
    });
  }

  std::unique_ptr<HeadlessHost> host;
  std::string portText;
  int waited = 0;
  bool unlocked = false;
  std::string connecting;
};

TEST_F(JoinFromMenusTest, APlayerJoinsAHostFromTheServerListAndLeavesFromThePauseView) {
  std::string lostMessage;
  run(joined(intoTheHostsWorld(), {
      {"pause", [] {
         // As the program pauses when its window goes to the background.
         showPauseView();
         return current() == ViewId::Pause;
       }},
      workerStep("leave from the pause view", [this] { return saveAndQuitOnce(waited); }),
      workerStep("the game played alone is back and the host saw the player go", [this] {
         return currentWorld() == nullptr && currentGame().sessionKind() != kJoinedSession &&
                host->peerNamed("Player") == 0;
       }),
      {"join again", [this] {
         return chooseRow("Multiplayer") && chooseRow("Join a game") && chooseRow("Play as Player") &&
                chooseRow(savedServerRow());
       }, 1},
      entered(),
      {"the host goes", [this] {
         host->server.shutdown();
         return true;
       }, 1},
      workerStep("the start view says why", [&] {
         if (current() != ViewId::Start || startView().page() != StartView::Page::Message) return false;
         lostMessage = startView().lines().front();
         return currentWorld() == nullptr;
       }),
  }));
  EXPECT_EQ(connecting, "Connecting to the host...");
  EXPECT_TRUE(unlocked) << "joining unlocks the achievement";
  EXPECT_EQ(lostMessage, "The host has quit the game.");
}

// The joined window draws the cave walls of the host's world from its first frame: a pocket dug
// under the ground beside the spawn shows its wall, as the host draws it, not the sky.
TEST_F(JoinFromMenusTest, TheJoinedWindowDrawsTheCaveWallsTheHostsWorldShows) {
  std::vector<MapBlock*> pocket;
  MapBlock* sky = nullptr;
  std::vector<Step> steps = intoTheHostsWorld();
  steps.insert(steps.begin() + 2, {"a pocket is dug beside the spawn", [&] {
                 WorldMap& map = host->world.world->map();
                 map.computeSurfaceHeights();
                 const int32_t column = 40;
                 const auto stand = static_cast<uint16_t>(map.topHeight(column));
                 host->server.worldSender().setPlayerCells([stand](uint8_t) { return PlayerCells{40, stand, 40, stand}; });
                 for (int32_t x = column - 5; x <= column - 3; ++x) {
                   const int32_t top = std::min<int32_t>(map.topHeight(x), map.surfaceLine(x));
                   for (int32_t y = top - 4; y <= top - 3; ++y) {
                     MapBlock* cell = map.cellAt(x, y);
                     cell->setLayer(0, 0, MapBlock::kFront);
                     cell->setLayer(0, 0, MapBlock::kBack);
                     map.markChanged(*cell);
                     pocket.push_back(cell);
                   }
                 }
                 sky = map.cellAt(column, stand + 3);
                 for (MapBlock* cell : pocket) EXPECT_TRUE(showsCaveWall(map, *cell)) << "the host draws a wall there";
                 EXPECT_FALSE(showsCaveWall(map, *sky));
                 return sky != nullptr && sky->frontId() == 0 && sky->backId() == 0;
               }, 1});
  run(joined(steps, {
      {"the joined window draws the pocket's wall, not the sky", [&] {
         if (!wait(10)) return false;
         World* shown = currentWorld();
         const std::vector<unsigned char> open = tilePixelsAt(*shown->cellAt(sky->x, sky->y));
         // Cells of the pocket that no light reaches draw as dark as the sky behind them: those
         // the light reaches must show their wall.
         size_t walls = 0;
         for (const MapBlock* cell : pocket) walls += muchChanged(open, tilePixelsAt(*shown->cellAt(cell->x, cell->y))) ? 1 : 0;
         EXPECT_GE(walls, 2u) << "the pocket draws as the sky";
         return true;
       }, 20},
  }));
}

TEST_F(JoinFromMenusTest, QuittingTheProgramWhileJoinedEndsTheJoinedGame) {
  run(intoTheHostsWorld());
  EXPECT_EQ(currentWorld(), nullptr);
  EXPECT_NE(currentGame().sessionKind(), kJoinedSession);
}

TEST_F(JoinFromMenusTest, AutosaveTurnedInThePauseViewStopsAndStartsTheJoinedGamesAutosaveAtOnce) {
  const auto autosaving = [] { return currentWorld() != nullptr && currentWorld()->timers().isScheduled(world_timer::kAutosave); };
  bool ranAtFirst = false, ranWhenOff = true, ranWhenOn = false;
  run(joined(intoTheHostsWorld(), {
      {"the joined game autosaves", [&] {
         ranAtFirst = autosaving();
         return true;
       }, 1},
      {"pause", [] {
         if (current() == ViewId::Main) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Pause;
       }, 10},
      {"the options", [] { return chooseRow("Options") && hasRow("Autosave: On"); }, 10},
      {"autosave off", [&] {
         if (!chooseRow("Autosave: On") || !hasRow("Autosave: Off")) return false;
         ranWhenOff = autosaving();
         return true;
       }, 10},
      {"autosave on", [&] {
         if (!chooseRow("Autosave: Off") || !hasRow("Autosave: On")) return false;
         ranWhenOn = autosaving();
         return true;
       }, 10},
      {"back to the game", [] {
         if (current() == ViewId::Pause) tap(GLFW_KEY_ESCAPE);
         return current() == ViewId::Main;
       }, 10},
  }));
  EXPECT_TRUE(ranAtFirst) << "a joined game keeps her character on the autosave interval";
  EXPECT_FALSE(ranWhenOff) << "the autosave still runs after it was turned off";
  EXPECT_TRUE(ranWhenOn) << "the autosave does not run after it was turned on again";
}

}  // namespace
