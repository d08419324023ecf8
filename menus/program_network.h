#pragma once
// The program's way into network play from its menus: hosting swaps the game played alone for a
// hosting game (`hostWorld`), joining goes through the application's `ClientGameSwap`, and the
// friends come from the desktop platform's store-front client, refreshed each time they are
// asked for.
//
// Main thread only.

#include "menus/menu_network.h"

class ClientGameSwap;
class LocalSession;
class HostPlayersView;
class NetNotices;
class TransferScreen;

namespace kel {
class DesktopPlatform;
}

class ProgramNetwork final : public MenuNetwork {
 public:
  // What a hosted game shows through the interface (each null: nothing): the host's console lines,
  // the wait view's statuses while a world goes to a joining client, the clients' players.
  struct HostScreens {
    NetNotices* notices = nullptr;
    TransferScreen* transfers = nullptr;
    HostPlayersView* players = nullptr;
  };

  // All borrowed and outliving this object.
  ProgramNetwork(LocalSession& local, ClientGameSwap& joins, HostScreens screens, kel::DesktopPlatform& platform)
      : local_(local), joins_(joins), screens_(screens), platform_(platform) {}

  bool host(const HostChoice& choice) override;
  bool join(const kel::base::DesktopConnectionInfo& at, const std::string& characterName) override;
  std::vector<FriendGame> friendGames() override;

 private:
  LocalSession& local_;
  ClientGameSwap& joins_;
  HostScreens screens_;
  kel::DesktopPlatform& platform_;
};
