#include "menus/program_network.h"

#include "menus/friend_games.h"
#include "net/client_game/client_game_swap.h"
#include "net/host_game/hosting.h"
#include "platform/desktop_platform.h"

namespace {
// A direct host listens on every interface.
constexpr const char* kAnyInterface = "0.0.0.0";
}  // namespace

bool ProgramNetwork::host(const HostChoice& choice) {
  HostSetup setup;
  setup.bridge = kel::NetBridgeSetup{choice.throughFriends ? kel::NET_KIND_STEAM : kel::NET_KIND_DIRECT,
                                     choice.playerLimit, ""};
  setup.listenAt = kel::base::DesktopDirectConnectionInfo(kAnyInterface, choice.port);
  setup.localName = choice.characterName;
  setup.notices = notices_;
  setup.transferScreen = transfers_;
  setup.mode = choice.mode;
  return hostWorld(local_, setup) != nullptr;
}

bool ProgramNetwork::join(const kel::base::DesktopConnectionInfo& at, const std::string& characterName) {
  return joins_.joinWorld(at, characterName);
}

std::vector<FriendGame> ProgramNetwork::friendGames() {
  platform_.loadSteamFriends();
  return ::friendGames(platform_.steamApi().friends(), platform_.steamFriends());
}
