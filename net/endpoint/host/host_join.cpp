// A client enters the game ([0][5]) once it holds the whole world: the host shows it, takes its
// health (no more than its player's maximum), shows it the players already in the game and tells
// the others where it stands.

#include <algorithm>

#include "game/player/player_base.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"

void NetServer::enter(wire::WireIn& in, uint8_t peer) {
  if (!stages_.advance(peer, host::JoinStage::HasWorld)) return;
  const NetPlayerServer* entry = entryOf(peer);
  notices().consoleLine(entry->name() + " entered the world.");
  PlayerBase* player = entry->player();
  if (player == nullptr) return;
  in.u8();  // the client's maximum health: the host's player knows its own
  player->health = std::min(static_cast<float>(in.u8()), player->stats.maxHealth);
  introducePlayersTo(peer);
  wire::WireOut cell = message(player_msg::kPlayerCell);
  cell.peer(peer).cell(static_cast<uint16_t>(player->cellX), static_cast<uint16_t>(player->cellY));
  sendToAllBut(cell, peer);
  // The running state follows the newcomer's entry and ends its transfer.
  worldSender_.peerEntered(peer);
}
