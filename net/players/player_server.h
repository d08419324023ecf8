#pragma once
// A client's player on the host: a full rules-side player whose operations do what the local
// player's do and, in addition, send the client (or every client) the message that makes the
// client's own player follow. The host keeps one per admitted client, wrapped in
// `PlayerDesktop<PlayerServer>`, in the client's table entry (`NetPlayerServer`).
//
// Main thread only.

#include <cstdint>

#include "game/player/player_base.h"
#include "game/player/player_desktop.h"
#include "net/players/player_remote_base.h"

class NetServer;
class PlayerEvents;
class World;

class PlayerServer : public PlayerRemoteBase<PlayerBase> {
 public:
  // The player of the client `peer`, sent to through `server` (not owned; it outlives its
  // players), coming back to life on the spawn cell.
  PlayerServer(NetServer& server, World* playerWorld, uint8_t peer, uint16_t spawnColumn,
               uint16_t spawnRow, PlayerEvents* events = nullptr);

  uint8_t peer() const { return peer_; }
  NetServer& server() const { return server_; }

 private:
  NetServer& server_;
  uint8_t peer_;
};

using PlayerServerDesktop = PlayerDesktop<PlayerServer>;
