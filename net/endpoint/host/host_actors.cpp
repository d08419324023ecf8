// Whom and through what a client's request acts on the host: the sender's own player (none for
// the host's own id or a peer without an entry), the hosted world's rules, and the forward of a
// claimed message to the other clients (a cosmetic one within its sender's budget).

#include <span>

#include "game/rules/local_logic.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "world/rules/logic.h"
#include "world/world.h"

LocalLogic* NetServer::localRules() const {
  return world() != nullptr ? dynamic_cast<LocalLogic*>(&world()->rules()) : nullptr;
}

PlayerBase* NetServer::actor(uint8_t peer) const {
  if (stages_.of(peer) != host::JoinStage::Entered) return nullptr;
  const NetPlayerServer* entry = peer != kel::NET_HOST_PEER ? entryOf(peer) : nullptr;
  return entry != nullptr ? entry->player() : nullptr;
}

void NetServer::dispatch(const HandlerTable<PlayerHandler>& handlers, wire::WireIn& in, uint8_t peer) {
  const PlayerHandler handle = handlers.find(in.spec().id);
  PlayerServerDesktop* player = remoteActor(peer);
  if (handle != nullptr && player != nullptr) (this->*handle)(in, *player);
}

PlayerServerDesktop* NetServer::remoteActor(uint8_t peer) const {
  const NetPlayerServer* entry = peer != kel::NET_HOST_PEER ? entryOf(peer) : nullptr;
  return entry != nullptr ? entry->remote() : nullptr;
}

PlayerServerDesktop* NetServer::remoteOf(const PlayerBase* player) const {
  for (size_t index = 0; player != nullptr && index < players_.size(); ++index) {
    const NetPlayerServer* entry = entryOf(static_cast<uint8_t>(index));
    if (entry != nullptr && entry->player() == player) return entry->remote();
  }
  return nullptr;
}

void NetServer::forward(const wire::WireIn& in, uint8_t sender) {
  const std::span<const uint8_t> bytes = in.bytes();
  if (bridge_ != nullptr) bridge_->sendToAllBut(bytes.data(), static_cast<uint32_t>(bytes.size()), sender);
}

void NetServer::forwardCosmetic(const wire::WireIn& in, uint8_t sender) {
  if (cosmetics_.spend(sender)) forward(in, sender);
}
