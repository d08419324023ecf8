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
class NetNotices;
class TransferScreen;

namespace kel {
class DesktopPlatform;
}

class ProgramNetwork final : public MenuNetwork {
 public:
  // All borrowed and outliving this object; `notices` (null: none) hears the host's console lines,
  // `transfers` (null: none) shows the wait view's statuses while a world goes to a joining client.
  ProgramNetwork(LocalSession& local, ClientGameSwap& joins, NetNotices* notices, TransferScreen* transfers,
                 kel::DesktopPlatform& platform)
      : local_(local), joins_(joins), notices_(notices), transfers_(transfers), platform_(platform) {}

  bool host(const HostChoice& choice) override;
  bool join(const kel::base::DesktopConnectionInfo& at, const std::string& characterName) override;
  std::vector<FriendGame> friendGames() override;

 private:
  LocalSession& local_;
  ClientGameSwap& joins_;
  NetNotices* notices_;
  TransferScreen* transfers_;
  kel::DesktopPlatform& platform_;
};
