// A client enters the game ([0][5]) once it holds the whole world: the host shows it, takes its
// health (no more than its player's maximum), shows it the players already in the game and tells
// the others where it stands; its player's sprite appears in the host's world. A friend joining
// counts among the host's achievements, as it does for the one who joined.

#include <algorithm>

#include "game/player/player_base.h"
#include "game/stats/stats_store.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"

namespace {
// "Better With A Friend": somebody joined the game this machine hosts.
constexpr size_t kFriendJoinedAchievement = 105;
}  // namespace

void NetServer::enter(wire::WireIn& in, uint8_t peer) {
  if (!stages_.advance(peer, host::JoinStage::HasWorld)) return;
  if (stats_ != nullptr) stats_->unlockAchievement(kFriendJoinedAchievement);
  const NetPlayerServer* entry = entryOf(peer);
  notices().consoleLine(entry->name() + " entered the world.");
  PlayerBase* player = entry->player();
  if (player == nullptr) return;
  in.u8();  // the client's maximum health: the host's player knows its own
  player->health = std::min(static_cast<float>(in.u8()), player->stats.maxHealth);
  introducePlayersTo(peer);
  wire::WireOut cell = message(wire::PlayerMsg::PlayerCell);
  cell.peer(peer).cell(static_cast<uint16_t>(player->cellX), static_cast<uint16_t>(player->cellY));
  sendToAllBut(cell, peer);
  playersView_->clientPlayerShown(*player);
  // The running state follows the newcomer's entry and ends its transfer.
  worldSender_.peerEntered(peer);
}
