#pragma once
// A client's entry of another connected player: its name and the `PlayerClient` that draws it,
// owned by the entry.
//
// Main thread only.

#include <memory>
#include <string>

#include "net/endpoint/net_player_table.h"
#include "net/players/player_client.h"

class NetPlayerClient : public NetPlayerEntry {
 public:
  NetPlayerClient(std::string name, std::unique_ptr<PlayerClientDesktop> player);
  ~NetPlayerClient() override;

  PlayerClientDesktop* player() const { return player_.get(); }

 private:
  std::unique_ptr<PlayerClientDesktop> player_;
};
