#include "net/endpoint/net_server.h"

#include "entities/core/world_entities.h"
#include "net/endpoint/connection_lost.h"
#include "net/endpoint/host/sender_claim.h"
#include "net/endpoint/net_player_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "platform/platform.h"
#include "platform/settings/settings.h"

NetServer::NetServer(const kel::NetBridgeSetup& setup, std::string localName, NetNotices* notices,
                     const host::BudgetClock& budgetClock)
    : NetCommon(wire::Side::Host, std::move(localName), notices),
      playerLimit_(setup.effectivePlayerLimit()),
      cosmetics_(budgetClock),
      budget_(budgetClock) {
  // A joining player starts where the host made its player, not in the map's corner.
  worldSender_.setPlayerCells([this](uint8_t peer) { return joiningCells(peer); });
}

NetServer::~NetServer() { shutdown(); }

std::unique_ptr<NetServer> NetServer::create(const kel::NetBridgeSetup& setup, std::string localName,
                                             NetNotices* notices) {
  auto server = std::make_unique<NetServer>(setup, std::move(localName), notices);
  if (kel::Platform* platform = kel::Platform::instance()) {
    server->setBridge(platform->createServerBridge(server->bridgeListener(), setup));
  }
  return server;
}

void NetServer::start() {
  setLocalPeerId(kel::NET_HOST_PEER);
  players_.put(kel::NET_HOST_PEER, std::make_unique<NetPlayerServer>(localName(), hostPlayer_));
}

NetPlayerServer* NetServer::entryOf(uint8_t peer) const {
  return static_cast<NetPlayerServer*>(players_.at(peer));
}

void NetServer::setHostPlayer(PlayerBase* player) {
  hostPlayer_ = player;
  if (players_.at(kel::NET_HOST_PEER) != nullptr) start();
}

void NetServer::worldReady() {
  sendMessage(wire::readyMessage());
  scheduleDrain();
}

void NetServer::onPacket(const uint8_t* data, uint32_t length, uint8_t peer) {
  // Peer 0 is the host itself: no transport hands a client that id.
  if (peer == kel::NET_HOST_PEER) return refuse(peer, "the host's own id");
  std::span<const uint8_t> bytes(data, length);
  const wire::MessageSpec* spec = accepted(bytes, peer);
  if (spec == nullptr) return;
  const bool joining = spec->is(wire::ConnectionMsg::Hello) || spec->is(wire::ConnectionMsg::Departure);
  if (!joining && players_.at(peer) == nullptr) return refuse(peer, "no entry");
  // Until it has entered, a client is heard only in its join: its player is in no one's world yet.
  if (spec->category != 0 && stages_.of(peer) != host::JoinStage::Entered) return refuse(peer, "not entered");
  stages_.heard(peer, spec->is(wire::PlayerMsg::CraftKnowledge), spec->is(wire::PlayerMsg::Effect));
  const std::pair<uint8_t, uint8_t> kind{peer, spec->id};
  if (!budget_.spend(peer, spec->id)) {
    // Past her budget: dropped, or kept as her latest of the kind (one a kind, the older replaced).
    if (host::RequestBudget::of(spec->id).overflow == host::Overflow::KeepLatest) late_[kind].assign(bytes.begin(), bytes.end());
    return;
  }
  late_.erase(kind);  // what she sent before this is older
  handleChecked(*spec, bytes, peer);
}

void NetServer::handleChecked(const wire::MessageSpec& spec, std::span<const uint8_t> bytes, uint8_t peer) {
  // Claimed in the endpoint's one buffer: it grows to the longest message a client sends (the
  // catalogue bounds it) and then takes every message without an allocation. A handler never
  // receives another message while it runs, so nothing reads the buffer under it.
  claimed_.assign(bytes.begin(), bytes.end());
  if (!host::claimForSender(spec, claimed_, peer, players_)) return refuse(peer, "names no player");
  wire::WireIn in(spec, claimed_);
  route(in, peer);
}

void NetServer::drained() {
  handleLate();
  confirmWaiting();
  unwearWhereCopiesChanged();
}

void NetServer::handleLate() {
  // Taken out first: a handler may end a peer, which forgets its late messages.
  std::vector<std::pair<uint8_t, std::vector<uint8_t>>> due;
  std::erase_if(late_, [&](auto& entry) {
    const auto [peer, id] = entry.first;
    if (!budget_.spend(peer, id)) return false;
    due.emplace_back(peer, std::move(entry.second));
    return true;
  });
  for (const auto& [peer, bytes] : due) {
    const wire::MessageSpec* spec = wire::incoming(bytes[1], wire::Side::Host);
    // Her entry may have gone since.
    if (spec != nullptr && players_.at(peer) != nullptr) handleChecked(*spec, bytes, peer);
  }
}

void NetServer::handleConnection(wire::WireIn& in, uint8_t peer) {
  static constexpr HandlerTable<PeerHandler> kHandlers{
      {wire::ConnectionMsg::Hello, &NetServer::admit},
      // A departure is claimed: always the sender's own, a shutdown notice included.
      {wire::ConnectionMsg::Departure, &NetServer::peerLeaves},
      // The joining client cannot play: it leaves, the host stays.
      {wire::ConnectionMsg::NoCharacter, &NetServer::peerLeaves},
      {wire::ConnectionMsg::Entered, &NetServer::enter},
      {wire::ConnectionMsg::WorldRequest, &NetServer::worldRequest},
      {wire::ConnectionMsg::WorldProgress, &NetServer::worldProgress},
      {wire::ConnectionMsg::WorldComplete, &NetServer::worldComplete},
  };
  if (const PeerHandler handle = kHandlers.find(in.spec().id)) (this->*handle)(in, peer);
}

void NetServer::peerLeaves(wire::WireIn&, uint8_t peer) { onPeerLost(peer, lost_reason::kHostQuit); }

void NetServer::worldRequest(wire::WireIn&, uint8_t peer) {
  if (!takeWorldRequest(peer)) return;  // only an admitted peer, and only once
  worldSender_.worldRequested(peer, kel::options().netWorldDataCompression ? CellsForm::Compressed
                                                                            : CellsForm::Columns);
}

// A percentage: the sender holds it to 100 and hears it only from a peer it is sending to.
void NetServer::worldProgress(wire::WireIn& in, uint8_t peer) { worldSender_.progressReported(peer, in.u16()); }

void NetServer::worldComplete(wire::WireIn&, uint8_t peer) {
  if (!takeWorldReceived(peer)) return;
  // The player list goes first, so the client knows its own id and the others' names; the day
  // clock follows it.
  sendPlayerList(peer);
  worldSender_.cellsDelivered(peer);
}

void NetServer::admit(wire::WireIn& in, uint8_t peer) {
  if (peer == kel::NET_HOST_PEER || players_.at(peer) != nullptr) return;
  const wire::Hello hello = wire::readHello(in);
  if (players_.occupied() >= playerLimit_) {
    sendTo(wire::refusalMessage(wire::kRefusedFull), peer);
    onPeerLost(peer, lost_reason::kServerFull);
    return;
  }
  if (hello.version != wire::kProtocolVersion) {
    sendTo(wire::refusalMessage(wire::kRefusedVersion), peer);
    onPeerLost(peer, lost_reason::kVersionDiffers);
    return;
  }
  // A token whose character is still here: one character plays one session at a time.
  const host::Identities::Admitted admitted = identities_.admit(peer, hello, presentNames());
  if (admitted.refused) {
    sendTo(wire::refusalMessage(wire::kRefusedStillHere), peer);
    onPeerLost(peer, lost_reason::kStillHere);
    return;
  }
  const std::string& name = admitted.identity.name;
  players_.put(peer, std::make_unique<NetPlayerServer>(name, makePlayer(peer)));
  stages_.admit(peer);
  sendTo(wire::admissionMessage(), peer);
  sendTo(wire::identityMessage(admitted.identity), peer);
  sendToAllBut(wire::helloMessage(name, peer), peer);
}

std::vector<std::string> NetServer::presentNames() const {
  std::vector<std::string> names;
  for (size_t index = 0; index < players_.size(); ++index) {
    if (const NetPlayerEntry* entry = players_.at(static_cast<uint8_t>(index))) names.push_back(entry->name());
  }
  return names;
}

// The receiver's own entry first: until it knows its id, a client would take the entry that has
// the id it assumed (the host's, 0) for its own and make no copy of that player.
void NetServer::sendPlayerList(uint8_t receiver) {
  const auto sendEntry = [this, receiver](uint8_t peer) {
    const NetPlayerEntry* entry = players_.at(peer);
    if (entry == nullptr) return;
    wire::WireOut out = message(wire::ConnectionMsg::PlayerEntry);
    sendTo(out.peer(peer).u8(peer == receiver ? 1 : 0).name(entry->name()), receiver);
  };
  sendEntry(receiver);
  for (size_t index = 0; index < players_.size(); ++index) {
    if (index != receiver) sendEntry(static_cast<uint8_t>(index));
  }
}

std::unique_ptr<PlayerServerDesktop> NetServer::makePlayer(uint8_t peer) {
  const PlayerBase* host = hostPlayer_;
  const uint16_t spawnColumn = host != nullptr ? host->spawnCellX : 0;
  const uint16_t spawnRow = host != nullptr ? host->spawnCellY : 0;
  auto player = std::make_unique<PlayerServerDesktop>(*this, world(), peer, spawnColumn, spawnRow,
                                                      playersView_->clientEvents());
  if (host != nullptr) player->setCellCoordinates(host->cellX, host->cellY);
  player->setTrades(trades_);
  return player;
}

PlayerCells NetServer::joiningCells(uint8_t peer) const {
  const PlayerBase* player = remoteActor(peer);
  if (player == nullptr) return {};
  return {static_cast<uint16_t>(player->cellX), static_cast<uint16_t>(player->cellY), player->spawnCellX,
          player->spawnCellY};
}

void NetServer::onPeerLost(uint8_t peer, uint8_t) {
  if (peer == kel::NET_HOST_PEER) return;
  if (const NetPlayerEntry* entry = players_.at(peer)) {
    const bool joining = worldSender_.peerLeft(peer);
    notices().consoleLine(entry->name() + (joining ? " disconnected before entering." : " has left the world."));
    sendToAllBut(wire::departureMessage(wire::Side::Host, peer), peer);
    if (const NetPlayerServer* client = entryOf(peer); client != nullptr && client->player() != nullptr) {
      leaveWorldBehind(*client->player());
      PlayerServerDesktop* remote = client->remote();
      identities_.left(peer, remote != nullptr ? &remote->items() : nullptr);
      playersView_->clientPlayerGone(*client->player());
      // Its shots, bobber and pets forget it: none may look up a player that is gone.
      if (WorldEntities* lists = entities()) lists->dropOwner(client->player()->playerId());
    }
    players_.remove(peer);
    stages_.forget(peer);
  } else {
    notices().consoleLine("Player canceled before entering.");
  }
  // A newcomer under its id starts afresh.
  cosmetics_.forget(peer);
  budget_.forget(peer);
  hits_.forget(peer);
  tradeAskings_.forget(peer);
  std::erase_if(late_, [peer](const auto& entry) { return entry.first.first == peer; });
  if (bridge_ != nullptr) bridge_->dropPeer(peer);
}

void NetServer::shutdown() {
  // The clients' players go with the endpoint: their sprites go first.
  for (size_t peer = kel::NET_HOST_PEER + 1; peer < players_.size(); ++peer) {
    const NetPlayerServer* client = entryOf(static_cast<uint8_t>(peer));
    if (client != nullptr && client->player() != nullptr) playersView_->clientPlayerGone(*client->player());
  }
  endNetworkGame(bridge_.get());
}

void NetServer::send(const uint8_t* data, uint32_t length, uint8_t) {
  if (bridge_ != nullptr) bridge_->send(data, length);
  worldSender_.sentToAll({data, length}, WorldSender::kNoPeer);
}

void NetServer::sendBuff(uint8_t peer, uint16_t buff, bool gained) {
  wire::WireOut out = message(gained ? wire::PlayerMsg::Buff : wire::PlayerMsg::BuffRemoved);
  out.u16(buff).peer(peer);
  sendMessage(out, peer);
}

void NetServer::sendTo(const wire::WireOut& message, uint8_t peer) {
  if (bridge_ != nullptr) bridge_->sendTo(message.data(), message.size(), peer);
}

void NetServer::sendToAllBut(const wire::WireOut& message, uint8_t peer) {
  if (bridge_ != nullptr) bridge_->sendToAllBut(message.data(), message.size(), peer);
  worldSender_.sentToAll({message.data(), message.size()}, peer);
}
