#pragma once
// The host's entry of one connected player: its name, its player and the state of the world
// being sent to it. A client's entry owns its `PlayerServer`; the host's own entry (peer 0) holds
// the host's local player, which the game owns.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/endpoint/net_player_table.h"
#include "net/players/player_server.h"

class PlayerBase;

class NetPlayerServer : public NetPlayerEntry {
 public:
  // A client's entry; the entry owns the player.
  NetPlayerServer(std::string name, std::unique_ptr<PlayerServerDesktop> player);
  // The host's own entry; `hostPlayer` (may be null until the game made it) is not owned.
  NetPlayerServer(std::string name, PlayerBase* hostPlayer);
  ~NetPlayerServer() override;

  // The entry's player: a client's proxy or the host's local player; may be null.
  PlayerBase* player() const { return player_; }
  // The client's proxy; null in the host's own entry.
  PlayerServerDesktop* remote() const { return owned_.get(); }

  // ---- The world being sent to this player ----
  std::vector<uint8_t> worldBuffer;
  uint64_t sendOffset = 0;
  // From the start of the world transfer until the client reports that it entered.
  bool receiving = false;

 private:
  std::unique_ptr<PlayerServerDesktop> owned_;
  PlayerBase* player_;
};
