#include "net/transports/steam/steam_server.h"

#include <tuple>

#include "net/wire/connection_messages.h"
#include "net/wire/wire_catalogue.h"
#include "platform/steam/steam_presence.h"

namespace steam {

namespace {

// A whole hello (with or without its token): a cut one would take a record that no admission or
// refusal ever frees.
bool isHello(const uint8_t* data, uint32_t length) {
  const wire::MessageSpec& hello = wire::outgoing(wire::ConnectionMsg::Hello, wire::Side::Client);
  const bool whole = length == hello.size || length == hello.size + std::tuple_size_v<wire::Token>;
  return whole && data[0] == hello.category && data[1] == hello.id;
}

}  // namespace

SteamServer::SteamServer(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup,
                         kel::SteamApi& api)
    : kel::NetBridgeServer(listener, setup),
      api_(api),
      peers_(playerLimit()),
      sessionRequest_(api.callbacks(), kel::STEAM_P2P_SESSION_REQUEST,
                      [this](const kel::SteamCallbackData& data) { acceptSession(data); }),
      connectFail_(api.callbacks(), kel::STEAM_P2P_SESSION_CONNECT_FAIL,
                   [this](const kel::SteamCallbackData& data) { sessionFailed(data); }) {}

SteamServer::~SteamServer() { stop(); }

bool SteamServer::start(const kel::base::DesktopConnectionInfo&) {
  kel::SteamUser* user = api_.user();
  if (started_ || user == nullptr || api_.networking() == nullptr) return false;
  networking_ = api_.networking();
  started_ = true;
  receiver_.start(*networking_, [this](const uint8_t* data, uint32_t length, uint64_t sender) {
    delivered(data, length, sender);
  });
  if (kel::SteamFriends* friends = api_.friends()) {
    kel::setGamePresence(*friends, true, user->steamId());
  }
  listener()->transportOpened();
  return true;
}

void SteamServer::stop() {
  if (!started_) return;
  started_ = false;
  if (kel::SteamFriends* friends = api_.friends()) friends->clearRichPresence();
  receiver_.stop();
  const wire::WireOut quits = wire::departureMessage(wire::Side::Host, kel::NET_HOST_PEER);
  for (const uint64_t user : peers_.connectedBut(kel::NET_NO_PEER)) {
    sendToUser(user, quits.data(), quits.size());
  }
  for (const uint64_t user : peers_.held()) networking_->closeP2PSessionWithUser(user);
}

void SteamServer::delivered(const uint8_t* data, uint32_t length, uint64_t sender) {
  const uint8_t id = isHello(data, length) ? peers_.findOrAdd(sender) : peers_.find(sender);
  if (id != kel::NET_NO_PEER) listener()->received(data, length, id);
}

void SteamServer::acceptSession(const kel::SteamCallbackData& request) {
  if (!started_) return;
  // The record comes with the hello: a user who only opens a session reaches nothing.
  if (peers_.hasRoomFor(request.steamId)) {
    networking_->acceptP2PSessionWithUser(request.steamId);
    return;
  }
  const wire::WireOut refusal = wire::refusalMessage(wire::kRefusedFull);
  sendToUser(request.steamId, refusal.data(), refusal.size());
  networking_->closeP2PSessionWithUser(request.steamId);
}

void SteamServer::sessionFailed(const kel::SteamCallbackData& failure) {
  const uint8_t id = peers_.sessionFailed(failure.steamId);
  if (id == kel::NET_NO_PEER) return;
  const wire::WireOut departure = wire::departureMessage(wire::Side::Client, id);
  listener()->received(departure.data(), departure.size(), id);
}

void SteamServer::send(const uint8_t* data, uint32_t length) {
  sendToAllBut(data, length, kel::NET_NO_PEER);
}

void SteamServer::sendTo(const uint8_t* data, uint32_t length, uint8_t peer) {
  const uint64_t user = peers_.userOf(peer);
  if (user != 0) sendToUser(user, data, length);
}

void SteamServer::sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) {
  for (const uint64_t user : peers_.connectedBut(peer)) sendToUser(user, data, length);
}

void SteamServer::sendToUser(uint64_t user, const uint8_t* data, uint32_t length) {
  if (networking_ == nullptr) return;
  networking_->sendP2PPacket(user, data, length, SteamReceiver::kChannel);
}

void SteamServer::dropPeer(uint8_t peer) { peers_.drop(peer); }

}  // namespace steam
