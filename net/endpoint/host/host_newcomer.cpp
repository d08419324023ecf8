// A client that enters the game meets the players already in it: for each, where it stands, how
// it looks, what it holds and wears, whether it flies free, and its buffs, so the newcomer draws
// them as the others do. The others learn of the newcomer by its cell ([2][15]) and, from then on,
// by its own messages.

#include "game/player/player_base.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/wire/wire_out.h"

namespace {

constexpr uint16_t kFlagFlying = 7;
constexpr uint16_t kFlagNoClip = 8;

bool movesFreely(const PlayerBase& player) {
  return player.mode != 0 || player.hasFlag(kFlagFlying) || player.hasFlag(kFlagNoClip);
}

}  // namespace

bool NetServer::isInGame(uint8_t peer) const {
  return peer == kel::NET_HOST_PEER ? hostPlayer_ != nullptr : stages_.of(peer) == host::JoinStage::Entered;
}

void NetServer::introducePlayersTo(uint8_t newcomer) {
  for (size_t index = 0; index < players_.size(); ++index) {
    const auto peer = static_cast<uint8_t>(index);
    PlayerBase* other = peer != newcomer && isInGame(peer) ? presentPlayer(peer) : nullptr;
    if (other != nullptr) introduce(*other, peer, newcomer);
  }
}

void NetServer::introduce(const PlayerBase& player, uint8_t peer, uint8_t newcomer) {
  // Met at rest: the body's motion words follow with the player's next motion.
  sendTo(message(wire::PlayerMsg::PlayerState).peer(peer).f32(player.position.x).f32(player.position.y).u32(0).u32(0).u32(0).u32(0),
         newcomer);
  sendTo(message(wire::PlayerMsg::Look).u32(player.drawnLookWord()).peer(peer), newcomer);
  sendTo(message(wire::PlayerMsg::HeldItem).item(player.heldItem()).u8(player.selectedSlot()).peer(peer), newcomer);
  sendTo(message(wire::PlayerMsg::PlayerMode).peer(peer).u8(movesFreely(player) ? 1 : 0), newcomer);
  for (uint8_t index = 0; index < PlayerRemoteBase<PlayerBase>::kPartSlots; ++index) {
    for (uint8_t part = 0; part <= 1; ++part) {
      wire::WireOut worn = message(wire::PlayerMsg::WornItem);
      sendTo(worn.item(player.getEquipment(part != 0, index)).u8(part).u8(index).peer(peer), newcomer);
    }
  }
  for (const PlayerBuff& buff : player.stats.buffs) {
    sendTo(message(wire::PlayerMsg::Buff).u16(buff.id).peer(peer), newcomer);
  }
}
