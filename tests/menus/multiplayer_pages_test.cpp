// The start view's multiplayer pages over a recording network: hosting goes through the character
// and world pages with the player limit, the connection and the port; joining takes a typed
// address and port (checked first), a saved server or a friend's game, shows the wait view while
// it connects and comes back with the reason when it cannot; the server list is added to and
// removed from; a network game that ended shows its reason in the message dialog.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "menus/menu_net_notices.h"
#include "menus/menu_network.h"
#include "menus/wait_view.h"
#include "saves/store/player_entry.h"
#include "saves/store/world_entry.h"
#include "tests/platform/settings/settings_test_host.h"
#include "world/map/world_params.h"
#include "tests/menus/start_view_fixture.h"

namespace {

using Page = StartView::Page;

struct Joined {
  int kind = -1;
  std::string host;
  uint16_t port = 0;
  uint64_t hostId = 0;
  std::string character;
};

class RecordingNetwork final : public MenuNetwork {
 public:
  bool host(const HostChoice& choice) override {
    hosted.push_back(choice);
    return answer;
  }
  bool join(const kel::base::DesktopConnectionInfo& at, const std::string& characterName) override {
    Joined joined{.kind = at.kind(), .character = characterName};
    if (const auto* direct = dynamic_cast<const kel::base::DesktopDirectConnectionInfo*>(&at)) {
      joined.host = direct->host();
      joined.port = direct->port();
    }
    if (const auto* friendly = dynamic_cast<const kel::base::DesktopClientSteamConnectionInfo*>(&at)) {
      joined.hostId = friendly->hostId();
    }
    joins.push_back(joined);
    // What a failed join does in the program: the start view comes back.
    if (!answer) gameViews()->switchTo(ViewId::Start);
    return answer;
  }
  std::vector<FriendGame> friendGames() override { return games; }

  bool answer = true;
  std::vector<HostChoice> hosted;
  std::vector<Joined> joins;
  std::vector<FriendGame> games;
};

class MultiplayerPagesTest : public menutest::StartViewFixture {
 protected:
  void SetUp() override {
    StartViewFixture::SetUp();
    ASSERT_TRUE(start().createCharacter("Ann", 2));
  }
  // From the main menu along a multiplayer path to the page after the character.
  void follow(const std::string& path) {
    start().showMainMenu();
    ASSERT_TRUE(start().choose("Multiplayer"));
    ASSERT_EQ(start().page(), Page::Multiplayer);
    ASSERT_TRUE(start().choose(path));
    ASSERT_EQ(start().page(), Page::Characters);
    ASSERT_TRUE(start().chooseCharacter(*saves.characters().current()));
  }
  // A world of terra with a file, as continuing it finds it.
  WorldEntry& worldOnFile() {
    std::filesystem::create_directories(saves.worlds().folder());
    WorldEntry& entry = saves.worlds().createEntry(WorldParams{.planetId = 1}, 5);
    std::ofstream(saves.worlds().pathOf(entry.fileName)) << "a world";
    return entry;
  }
  bool says(const std::string& line) {
    const auto& lines = start().lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  WaitView& waitView() { return dynamic_cast<WaitView&>(gameViews()->view(ViewId::Wait)); }

  RecordingNetwork network;
  engine::Seam<MenuNetwork, NullMenuNetwork>::Scoped useNetwork{menuNetworkSeam(), network};
};

TEST_F(MultiplayerPagesTest, HostingPicksACharacterAndAWorldWithTheLimitAndThePort) {
  follow("Host a world");
  EXPECT_EQ(start().page(), Page::Worlds);
  EXPECT_EQ(start().title(), "Host a world");
  ASSERT_TRUE(start().choose("Players: up to 4"));
  ASSERT_TRUE(hasRow("Players: up to 5"));
  ASSERT_TRUE(start().choose("Port: 12345"));
  start().nameEntry().submit("40000");
  ASSERT_TRUE(hasRow("Port: 40000"));
  ASSERT_TRUE(start().choose("Port: 40000"));
  start().nameEntry().submit("70000");
  EXPECT_TRUE(hasRow("Port: 40000")) << "a port out of range is refused";
  EXPECT_TRUE(says("The port must be a number from 1 to 65535."));
  EXPECT_TRUE(hasRow("New world"));

  ASSERT_TRUE(start().continueWorld(worldOnFile()));
  ASSERT_EQ(network.hosted.size(), 1u);
  const HostChoice& hosted = network.hosted[0];
  EXPECT_FALSE(hosted.throughFriends);
  EXPECT_EQ(hosted.playerLimit, 5);
  EXPECT_EQ(hosted.port, 40000);
  EXPECT_EQ(hosted.mode, 1) << "the world's file is loaded";
  EXPECT_EQ(hosted.characterName, "Ann");
  EXPECT_TRUE(game.modes.empty()) << "the game played alone does not begin";
}

TEST_F(MultiplayerPagesTest, TheTypedHostPortIsOfferedAgainAfterTheGameRestarts) {
  testsupport::ScopedDataHome home;
  auto settings = std::make_unique<settingstest::TestSettingsHost>();
  kel::setSettingsHost(settings.get());
  kel::loadSettings();
  follow("Host a world");
  ASSERT_TRUE(start().choose("Port: 12345"));
  start().nameEntry().submit("40000");
  ASSERT_TRUE(hasRow("Port: 40000"));

  // The game quits and starts again: new views over a settings store read back from its file.
  kel::setSettingsHost(nullptr);
  settings = std::make_unique<settingstest::TestSettingsHost>();
  destroyViews();
  createViews();
  gameViews()->setLayer(layer);
  gameViews()->switchTo(ViewId::Start);
  kel::setSettingsHost(settings.get());
  kel::loadSettings();
  follow("Host a world");
  EXPECT_TRUE(hasRow("Port: 40000"));
  ASSERT_TRUE(start().continueWorld(worldOnFile()));
  ASSERT_EQ(network.hosted.size(), 1u);
  EXPECT_EQ(network.hosted[0].port, 40000);
  kel::setSettingsHost(nullptr);
}

TEST_F(MultiplayerPagesTest, ANewWorldIsCreatedAndHostedThroughTheStoreFront) {
  follow("Host a world");
  ASSERT_TRUE(start().choose("Connection: Direct (address and port)"));
  EXPECT_TRUE(hasRow("Connection: Friends (store front)"));
  EXPECT_FALSE(start().list().rows().empty());
  for (const auto& row : start().list().rows()) EXPECT_NE(row.text.rfind("Port:", 0), 0u) << "no port for friends";
  ASSERT_TRUE(start().choose("New world"));
  ASSERT_TRUE(start().choose("Create and host"));
  ASSERT_EQ(network.hosted.size(), 1u);
  EXPECT_TRUE(network.hosted[0].throughFriends);
  EXPECT_EQ(network.hosted[0].mode, 2) << "a new world is generated";
  EXPECT_EQ(saves.worlds().entries().size(), 1u);
}

TEST_F(MultiplayerPagesTest, AHostThatCannotStartSaysWhyAndStays) {
  network.answer = false;
  follow("Host a world");
  EXPECT_FALSE(start().continueWorld(worldOnFile()));
  ASSERT_EQ(network.hosted.size(), 1u);
  EXPECT_EQ(start().page(), Page::Worlds);
  EXPECT_EQ(start().status(), "The world could not be hosted: port 12345 may be in use.");
}

TEST_F(MultiplayerPagesTest, JoiningATypedAddressShowsTheWaitViewWhileItConnects) {
  follow("Join a game");
  ASSERT_EQ(start().page(), Page::Join);
  EXPECT_EQ(start().title(), "Join a game");
  ASSERT_TRUE(start().choose("Address: (type it)"));
  start().nameEntry().submit("127.0.0.1");
  ASSERT_TRUE(start().choose("Port: 12345"));
  start().nameEntry().submit("4000");
  ASSERT_TRUE(start().choose("Join"));
  ASSERT_EQ(network.joins.size(), 1u);
  EXPECT_EQ(network.joins[0].kind, kel::base::DesktopConnectionInfo::kDirect);
  EXPECT_EQ(network.joins[0].host, "127.0.0.1");
  EXPECT_EQ(network.joins[0].port, 4000);
  EXPECT_EQ(network.joins[0].character, "Ann");
  EXPECT_EQ(gameViews()->currentId(), ViewId::Wait);
  EXPECT_EQ(waitView().firstLine(), "Connecting to the host...");
  EXPECT_EQ(waitView().secondLine(), "127.0.0.1:4000");
}

TEST_F(MultiplayerPagesTest, AnAddressOrPortThatIsNotValidIsRefusedBeforeConnecting) {
  follow("Join a game");
  const struct {
    const char* address;
    const char* port;
    const char* status;
  } refused[] = {
      {"", "12345", "Type the host's address: a name, or numbers such as 192.168.1.20."},
      {"host;evil", "12345", "Type the host's address: a name, or numbers such as 192.168.1.20."},
      {"127.0.0.1", "0", "The port must be a number from 1 to 65535."},
      {"127.0.0.1", "65536", "The port must be a number from 1 to 65535."},
      {"127.0.0.1", "12a", "The port must be a number from 1 to 65535."},
  };
  for (const auto& r : refused) {
    start().joinAddress() = r.address;
    start().joinPort() = r.port;
    EXPECT_FALSE(start().joinTyped()) << r.address << ":" << r.port;
    EXPECT_EQ(start().status(), r.status) << r.address << ":" << r.port;
  }
  EXPECT_TRUE(network.joins.empty());
  EXPECT_EQ(gameViews()->currentId(), ViewId::Start);
}

TEST_F(MultiplayerPagesTest, AJoinThatCannotStartComesBackToTheJoinPageWithTheReason) {
  network.answer = false;
  follow("Join a game");
  start().joinAddress() = "localhost";
  ASSERT_TRUE(start().choose("Join"));
  EXPECT_EQ(gameViews()->currentId(), ViewId::Start);
  EXPECT_EQ(start().page(), Page::Join);
  EXPECT_TRUE(says("Could not connect to localhost:12345."));
}

TEST_F(MultiplayerPagesTest, TheServerListIsAddedToJoinedFromAndRemovedFrom) {
  follow("Join a game");
  start().joinAddress() = "example.org";
  start().joinPort() = "2000";
  ASSERT_TRUE(start().choose("Save to the server list"));
  EXPECT_TRUE(says("Saved example.org:2000 in the server list."));
  ASSERT_EQ(kel::options().servers.size(), 1u);
  EXPECT_EQ(kel::options().servers[0], kel::ServerInfo("example.org", "example.org", 2000));
  ASSERT_TRUE(start().choose("Save to the server list"));
  EXPECT_TRUE(says("That server is on the list already."));
  EXPECT_EQ(kel::options().servers.size(), 1u);
  start().joinPort() = "99999";
  ASSERT_TRUE(start().choose("Save to the server list"));
  EXPECT_EQ(kel::options().servers.size(), 1u) << "a bad port is not saved";

  kel::options().servers.emplace_back("Home", "10.0.0.2", 3000);
  start().refresh();
  ASSERT_TRUE(start().choose("Join Home (10.0.0.2:3000)"));
  ASSERT_EQ(network.joins.size(), 1u);
  EXPECT_EQ(network.joins[0].host, "10.0.0.2");
  EXPECT_EQ(network.joins[0].port, 3000);
  EXPECT_EQ(waitView().secondLine(), "Home (10.0.0.2:3000)");

  gameViews()->switchTo(ViewId::Start);
  follow("Join a game");
  ASSERT_TRUE(start().choose("Remove example.org:2000"));
  EXPECT_TRUE(says("Removed example.org:2000 from the server list."));
  ASSERT_EQ(kel::options().servers.size(), 1u);
  EXPECT_EQ(kel::options().servers[0].name, "Home");
  EXPECT_FALSE(hasRow("Join example.org:2000"));
}

TEST_F(MultiplayerPagesTest, AFriendsGameIsJoinedThroughItsHost) {
  follow("Join a game");
  ASSERT_TRUE(start().choose("Friends' games"));
  EXPECT_EQ(start().page(), Page::Friends);
  EXPECT_TRUE(says("No friend is hosting or playing a game now."));
  network.games = {{"Bo", 77}};
  ASSERT_TRUE(start().choose("Refresh"));
  ASSERT_TRUE(start().choose("Join Bo's game"));
  ASSERT_EQ(network.joins.size(), 1u);
  EXPECT_EQ(network.joins[0].kind, kel::base::DesktopConnectionInfo::kSteam);
  EXPECT_EQ(network.joins[0].hostId, 77u);
  EXPECT_EQ(waitView().secondLine(), "Bo's game");
}

TEST_F(MultiplayerPagesTest, AStoreFrontStartJoinsItsHostStraightFromTheMainMenu) {
  start().showMainMenu();
  network.games = {{"Bo", 77}};
  ASSERT_TRUE(start().joinStoreFrontHost(77));
  ASSERT_EQ(network.joins.size(), 1u);
  EXPECT_EQ(network.joins[0].kind, kel::base::DesktopConnectionInfo::kSteam);
  EXPECT_EQ(network.joins[0].hostId, 77u);
  EXPECT_EQ(network.joins[0].character, "Ann");
  EXPECT_EQ(waitView().secondLine(), "Bo's game") << "named as the friends list names the host";
  // A host the friends list does not show is joined all the same, named by its id.
  ASSERT_TRUE(start().joinStoreFrontHost(78));
  EXPECT_EQ(network.joins.back().hostId, 78u);
  EXPECT_EQ(waitView().secondLine(), "Player 78's game");
}

TEST_F(MultiplayerPagesTest, EscapeGoesBackAlongTheMultiplayerPages) {
  follow("Join a game");
  const struct {
    Page from;
    Page to;
  } cases[] = {
      {Page::Friends, Page::Join},
      {Page::Join, Page::Characters},
      {Page::Characters, Page::Multiplayer},
      {Page::Multiplayer, Page::Main},
  };
  for (const auto& c : cases) {
    start().showPage(c.from);
    start().keyEvent(engine::KeyCode::ESCAPE, false);
    start().keyEvent(engine::KeyCode::ESCAPE, true);
    EXPECT_EQ(start().page(), c.to) << static_cast<int>(c.from);
  }
}

TEST_F(MultiplayerPagesTest, ANetworkGameThatEndedShowsItsReasonInTheMessageDialog) {
  gameViews()->switchTo(ViewId::Wait);
  MenuNetNotices notices;
  notices.connectionLost(1, "Can't join! Server is full.");
  EXPECT_EQ(gameViews()->currentId(), ViewId::Start);
  EXPECT_EQ(start().page(), Page::Message);
  EXPECT_EQ(start().lines().front(), "Can't join! Server is full.");
  ASSERT_TRUE(start().choose("OK"));
  EXPECT_EQ(start().page(), Page::Main);

  notices.connectionLost(9, "");
  EXPECT_EQ(start().page(), Page::Message);
  EXPECT_EQ(start().lines().front(), "") << "a reason without a text shows none";
}

}  // namespace
