#include "net/endpoint/net_client.h"

#include "game/player/player_desktop.h"
#include "game/session/game_timers.h"
#include "net/endpoint/connection_lost.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_messages.h"
#include "platform/platform.h"

NetClient::NetClient(std::string localName, NetNotices* notices)
    : NetCommon(wire::Side::Client, std::move(localName), notices) {}

NetClient::~NetClient() {
  shutdown();
  // The copies' sprites go before the copies.
  for (size_t peer = 0; peer < players_.size(); ++peer) removeEntry(static_cast<uint8_t>(peer));
}

std::unique_ptr<NetClient> NetClient::create(const kel::NetBridgeSetup& setup, std::string localName,
                                             NetNotices* notices) {
  auto client = std::make_unique<NetClient>(std::move(localName), notices);
  if (kel::Platform* platform = kel::Platform::instance()) {
    client->setBridge(platform->createClientBridge(client->bridgeListener(), setup));
  }
  return client;
}

void NetClient::transportOpened() {
  start();
  sendHello();
}

void NetClient::start() {
  scheduleDrain();
  scheduleOnce(endpoint_timer::kJoinTimeout, game_interval::kJoinTimeoutDelay, [this] { timedOut(); });
}

void NetClient::sendHello() {
  state_ = kHelloSent;
  sendMessage(wire::helloMessage(localName(), hostToken_));
}

void NetClient::timedOut() { onPeerLost(kel::NET_HOST_PEER, lost_reason::kTimedOut); }

bool NetClient::admits(uint8_t category) const {
  // Category 3 carries the world itself, which arrives before the client is in the game.
  return category == wire::MessageCategory<wire::ConnectionMsg>::value ||
         category == wire::MessageCategory<wire::WorldDataMsg>::value || state_ == kInGame;
}

void NetClient::handleConnection(wire::WireIn& in, uint8_t) {
  // The world transfer's messages of the category go the other way.
  static constexpr HandlerTable<Handler> kHandlers{
      {wire::ConnectionMsg::Ready, &NetClient::hostReady},
      {wire::ConnectionMsg::Admission, &NetClient::admitted},
      {wire::ConnectionMsg::Identity, &NetClient::identified},
      {wire::ConnectionMsg::Departure, &NetClient::departure},
      {wire::ConnectionMsg::Refusal, &NetClient::refused},
      {wire::ConnectionMsg::Hello, &NetClient::joined},
      {wire::ConnectionMsg::PlayerEntry, &NetClient::playerEntry},
      {wire::ConnectionMsg::Joining, &NetClient::joining},
  };
  dispatch(kHandlers, in);
}

void NetClient::hostReady(wire::WireIn&) {
  if (state_ == kConnecting) sendHello();
}

void NetClient::admitted(wire::WireIn& in) {
  cancelTimer(endpoint_timer::kJoinTimeout);
  if (in.u16() == wire::kAdmitted) sendMessage(wire::worldRequestMessage());
}

// Her game keeps the token beside her character; a name other than hers is the host's, and she
// is told why as she enters.
void NetClient::identified(wire::WireIn& in) {
  if (state_ != kHelloSent) return;
  const wire::Identity identity = wire::readIdentity(in);
  if (identityListener_ && identity.token != hostToken_) identityListener_(identity.token);
  hostToken_ = identity.token;
  if (identity.name.empty() || identity.name == localName()) return;
  renamedNotice_ = "A player here is or was called " + localName() + ": you play as " + identity.name + ".";
  setLocalName(identity.name);
}

void NetClient::handleWorldData(wire::WireIn& in, uint8_t) {
  // The one message of the category that is not the transfer's: the host sets this player's clock.
  if (in.spec().is(wire::WorldDataMsg::PlayerDayClock)) {
    const uint8_t phase = in.u8();
    const uint32_t tick = in.u32();
    if (localPlayer_ != nullptr) localPlayer_->setDayClock(phase, tick);
    return;
  }
  const WorldReceiver::Outcome outcome = worldReceiver_.handleWorldData(in, state_ == kHelloSent);
  // The host's later messages apply to the world its header built.
  if (world() == nullptr) setWorld(worldReceiver_.world());
  switch (outcome) {
    case WorldReceiver::Outcome::CellsComplete:
      state_ = kWorldReceived;
      sendMessage(message(wire::ConnectionMsg::WorldComplete).u16(0));
      break;
    case WorldReceiver::Outcome::Failed:
      onPeerLost(kel::NET_HOST_PEER, lost_reason::kWorldUnreadable);
      break;
    case WorldReceiver::Outcome::Nothing:
      break;
  }
}

void NetClient::enterWorld(uint8_t maxHealth, uint8_t health) {
  sendMessage(message(wire::ConnectionMsg::Entered).u8(maxHealth).u8(health));
  state_ = kInGame;
  applyHeldChanges();
}

void NetClient::departure(wire::WireIn& in) {
  const uint8_t peer = in.peer();
  const uint8_t detail = in.u8();
  if (peer == kel::NET_HOST_PEER && detail == 0) {
    onPeerLost(kel::NET_HOST_PEER, lost_reason::kHostQuit);
    return;
  }
  if (const NetPlayerEntry* entry = players_.at(peer)) {
    notices().consoleLine(entry->name() + " has left the world.");
    removeEntry(peer);
  }
}

void NetClient::refused(wire::WireIn& in) {
  cancelTimer(endpoint_timer::kJoinTimeout);
  const uint8_t reason = in.u8();
  if (reason == wire::kRefusedFull) onPeerLost(kel::NET_HOST_PEER, lost_reason::kServerFull);
  if (reason == wire::kRefusedVersion) onPeerLost(kel::NET_HOST_PEER, lost_reason::kVersionDiffers);
  if (reason == wire::kRefusedStillHere) onPeerLost(kel::NET_HOST_PEER, lost_reason::kStillHere);
}

void NetClient::onPeerLost(uint8_t peer, uint8_t reason) {
  if (peer != kel::NET_HOST_PEER || isShutDown()) return;
  cancelTimer(endpoint_timer::kJoinTimeout);
  shutdown();
  notices().connectionLost(reason, connectionLostText(reason));
}

void NetClient::shutdown() {
  cancelTimer(endpoint_timer::kJoinTimeout);
  endNetworkGame(bridge_.get());
}

void NetClient::send(const uint8_t* data, uint32_t length, uint8_t) {
  if (bridge_ != nullptr) bridge_->send(data, length);
}
