// The start view's multiplayer pages: hosting a world (the character and world pages with the
// host's settings), joining by address and port or from the saved server list, and joining a
// friend's game.

#include <optional>
#include <string>

#include "menus/address_input.h"
#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "menus/wait_view.h"
#include "platform/platform.h"
#include "platform/settings/settings.h"
#include "saves/launch/local_saves.h"
#include "saves/store/player_entry.h"
#include "ui/views/game_views.h"

namespace {

constexpr uint8_t kFewestPlayers = 2;
constexpr uint8_t kMostPlayers = 16;
constexpr const char* kBadPort = "The port must be a number from 1 to 65535.";
constexpr const char* kBadAddress = "Type the host's address: a name, or numbers such as 192.168.1.20.";
constexpr const char* kConnecting = "Connecting to the host...";

std::string addressText(const std::string& address, uint16_t port) { return address + ":" + std::to_string(port); }

// "address:port", or "name (address:port)" when the server has a name of its own.
std::string serverLabel(const kel::ServerInfo& server) {
  const std::string at = addressText(server.address, server.port);
  return server.name == server.address ? at : server.name + " (" + at + ")";
}

}  // namespace

void StartView::follow(Path path, Page first) {
  path_ = path;
  // The port, or the address and port, typed on an earlier launch are offered again.
  if (path == Path::Host) hostPort_ = std::to_string(kel::getHostPort());
  if (path == Path::Join) {
    const auto [address, port] = kel::getJoinTarget();
    // A hand-edited settings file may hold anything: an address that could not be joined is not offered.
    joinAddress_ = address_input::isHostText(address) ? address : std::string();
    joinPort_ = std::to_string(port);
  }
  say({});
  showPage(first);
}

std::string StartView::chosenCharacter() {
  LocalSaves* saves = menuSaves();
  const PlayerEntry* character = saves != nullptr ? saves->characters().current() : nullptr;
  if (character == nullptr) {
    say("Choose a character first.");
    return {};
  }
  return character->displayName;
}

ServerList StartView::servers() { return ServerList(kel::options().servers); }

bool StartView::startHosting(uint8_t mode) {
  HostChoice choice = hostChoice_;
  choice.mode = mode;
  choice.characterName = chosenCharacter();
  if (choice.characterName.empty()) return false;
  if (!choice.throughFriends) {
    const std::optional<uint16_t> port = address_input::parsePort(hostPort_);
    if (!port) {
      say(kBadPort);
      return false;
    }
    choice.port = *port;
  }
  if (menuNetwork().host(choice)) return true;
  say(choice.throughFriends ? "The world could not be hosted: the store front is not running."
                             : "The world could not be hosted: port " + hostPort_ + " may be in use.");
  return false;
}

bool StartView::joinAt(const kel::base::DesktopConnectionInfo& at, const std::string& shown) {
  if (refuseWhenCompromised()) return false;
  const std::string name = chosenCharacter();
  if (name.empty()) return false;
  message_.clear();
  showWaitView(kConnecting, shown);
  if (menuNetwork().join(at, name)) return true;
  // The failed join brought the start view back; its join page says why.
  if (GameViews* views = gameViews(); views != nullptr && views->current() != this) views->switchTo(*this);
  say("Could not connect to " + shown + ".");
  showPage(Page::Join);
  return false;
}

void StartView::keepJoinTarget() {
  // What could not be joined is not kept: the last good address and port stay for the next launch.
  const std::optional<uint16_t> port = address_input::parsePort(joinPort_);
  if (!address_input::isHostText(joinAddress_) || !port) return;
  kel::setJoinTarget(joinAddress_, *port);
}

bool StartView::joinTyped() {
  if (!address_input::isHostText(joinAddress_)) {
    say(kBadAddress);
    return false;
  }
  const std::optional<uint16_t> port = address_input::parsePort(joinPort_);
  if (!port) {
    say(kBadPort);
    return false;
  }
  return joinAt(kel::base::DesktopDirectConnectionInfo(joinAddress_, *port), addressText(joinAddress_, *port));
}

bool StartView::joinServer(size_t index) {
  const kel::ServerInfo* server = servers().at(index);
  if (server == nullptr) return false;
  // A hand-edited settings file may hold anything.
  if (!address_input::isHostText(server->address) || server->port == 0) {
    say(kBadAddress);
    return false;
  }
  const kel::ServerInfo chosen = *server;
  return joinAt(kel::base::DesktopDirectConnectionInfo(chosen.address, chosen.port), serverLabel(chosen));
}

bool StartView::joinFriend(const FriendGame& game) {
  return joinAt(kel::base::DesktopClientSteamConnectionInfo(game.hostId), game.name + "'s game");
}

bool StartView::joinStoreFrontHost(uint64_t hostId) {
  FriendGame game{"Player " + std::to_string(hostId), hostId};
  for (const FriendGame& listed : menuNetwork().friendGames()) {
    if (listed.hostId == hostId) game.name = listed.name;
  }
  return joinFriend(game);
}

bool StartView::saveTypedServer() {
  switch (servers().add(joinAddress_, joinPort_)) {
    case ServerList::Added::Yes:
      kel::saveSettings();
      say("Saved " + joinAddress_ + ":" + joinPort_ + " in the server list.");
      return true;
    case ServerList::Added::AlreadyListed: say("That server is on the list already."); return false;
    case ServerList::Added::BadAddress: say(kBadAddress); return false;
    case ServerList::Added::BadPort: say(kBadPort); return false;
  }
  return false;
}

bool StartView::removeServer(size_t index) {
  ServerList list = servers();
  const kel::ServerInfo* server = list.at(index);
  if (server == nullptr) return false;
  const std::string label = serverLabel(*server);
  list.remove(index);
  kel::saveSettings();
  say("Removed " + label + " from the server list.");
  return true;
}

void StartView::fillMultiplayer(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  lines.push_back("Host one of your worlds for friends, or join a game.");
  rows.push_back({"Host a world", [this] { follow(Path::Host, Page::Characters); }});
  rows.push_back({"Join a game", [this] { follow(Path::Join, Page::Characters); }});
  rows.push_back({"Back", [this] { showPage(Page::Main); }});
}

void StartView::fillHostSettings(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (!hostChoice_.throughFriends) {
    kel::Platform* platform = kel::Platform::instance();
    const std::string address = platform != nullptr ? platform->localAddress() : std::string();
    if (!address.empty()) lines.push_back("Others join at " + address + ", port " + hostPort_ + ".");
  } else {
    lines.push_back("Friends join from their friends' games.");
  }
  rows.push_back(cyclingRow("Players: up to " + std::to_string(hostChoice_.playerLimit), [this](int steps) {
    const size_t count = static_cast<size_t>(kMostPlayers - kFewestPlayers + 1);
    const size_t stepped = MenuList::stepped(static_cast<size_t>(hostChoice_.playerLimit - kFewestPlayers), steps, count);
    hostChoice_.playerLimit = static_cast<uint8_t>(kFewestPlayers + stepped);
  }));
  rows.push_back(cyclingRow(hostChoice_.throughFriends ? "Connection: Friends (store front)"
                                                       : "Connection: Direct (address and port)",
                            [this](int) { hostChoice_.throughFriends = !hostChoice_.throughFriends; }));
  if (hostChoice_.throughFriends) return;
  rows.push_back({"Port: " + hostPort_, [this] {
                    typeField(hostPort_, address_input::kPortLimit, [this](const std::string& typed) {
                      const std::optional<uint16_t> port = address_input::parsePort(typed);
                      if (!port) {
                        say(kBadPort);
                        return false;
                      }
                      hostPort_ = std::to_string(*port);
                      kel::setHostPort(*port);
                      say({});
                      return true;
                    });
                  }});
}

void StartView::fillJoin(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  LocalSaves* saves = menuSaves();
  const PlayerEntry* character = saves != nullptr ? saves->characters().current() : nullptr;
  lines.push_back(character != nullptr ? "Playing as " + character->displayName : "No character chosen.");
  rows.push_back({"Address: " + (joinAddress_.empty() ? std::string("(type it)") : joinAddress_), [this] {
                    typeField(joinAddress_, address_input::kHostLimit, [this](const std::string& typed) {
                      joinAddress_ = typed;
                      keepJoinTarget();
                      return true;
                    });
                  }});
  rows.push_back({"Port: " + joinPort_, [this] {
                    typeField(joinPort_, address_input::kPortLimit, [this](const std::string& typed) {
                      joinPort_ = typed;
                      keepJoinTarget();
                      return true;
                    });
                  }});
  rows.push_back({"Join", [this] {
                    if (!joinTyped()) refresh();
                  }});
  rows.push_back({"Save to the server list", [this] {
                    saveTypedServer();
                    refresh();
                  }});
  const std::vector<kel::ServerInfo>& saved = servers().entries();
  for (size_t i = 0; i < saved.size(); ++i) {
    rows.push_back({"Join " + serverLabel(saved[i]), [this, i] {
                      if (!joinServer(i)) refresh();
                    }});
  }
  for (size_t i = 0; i < saved.size(); ++i) {
    rows.push_back({"Remove " + serverLabel(saved[i]), [this, i] {
                      removeServer(i);
                      refresh();
                    }});
  }
  rows.push_back({"Friends' games", [this] {
                    friends_ = menuNetwork().friendGames();
                    say({});
                    showPage(Page::Friends);
                  }});
  rows.push_back({"Back", [this] { showPage(Page::Characters); }});
}

void StartView::fillFriends(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  if (friends_.empty()) lines.push_back("No friend is hosting or playing a game now.");
  for (const FriendGame& game : friends_) {
    rows.push_back({"Join " + game.name + "'s game", [this, game] {
                      if (!joinFriend(game)) refresh();
                    }});
  }
  rows.push_back({"Refresh", [this] {
                    friends_ = menuNetwork().friendGames();
                    refresh();
                  }});
  rows.push_back({"Back", [this] { showPage(Page::Join); }});
}
