#include "net/players/player_server.h"

PlayerServer::PlayerServer(NetServer& server, World* playerWorld, uint8_t peer, uint16_t spawnColumn,
                           uint16_t spawnRow, PlayerEvents* events)
    : PlayerRemoteBase<PlayerBase>(playerWorld, false, events), server_(server), peer_(peer) {
  setSpawnCell(spawnColumn, spawnRow);
}
