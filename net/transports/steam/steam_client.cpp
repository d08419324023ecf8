#include "net/transports/steam/steam_client.h"

#include "net/wire/connection_messages.h"
#include "platform/steam/steam_presence.h"

namespace steam {

SteamClient::SteamClient(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup,
                         kel::SteamApi& api)
    : kel::NetBridgeClient(listener, setup),
      api_(api),
      sessionRequest_(api.callbacks(), kel::STEAM_P2P_SESSION_REQUEST,
                      [this](const kel::SteamCallbackData& data) { acceptSession(data); }),
      connectFail_(api.callbacks(), kel::STEAM_P2P_SESSION_CONNECT_FAIL,
                   [this](const kel::SteamCallbackData& data) { sessionFailed(data); }) {}

SteamClient::~SteamClient() { stop(); }

bool SteamClient::start(const kel::base::DesktopConnectionInfo& info) {
  if (connected_ || info.kind() != kel::base::DesktopConnectionInfo::kSteam) return false;
  networking_ = api_.networking();
  if (networking_ == nullptr) return false;
  hostId_ = static_cast<const kel::base::DesktopClientSteamConnectionInfo&>(info).hostId();
  connected_ = true;
  if (kel::SteamFriends* friends = api_.friends()) kel::setGamePresence(*friends, false, hostId_);
  receiver_.start(*networking_, [this](const uint8_t* data, uint32_t length, uint64_t sender) {
    if (sender == hostId_) listener()->received(data, length, kel::NET_HOST_PEER);
  });
  listener()->transportOpened();
  return true;
}

void SteamClient::send(const uint8_t* data, uint32_t length) {
  if (connected_) networking_->sendP2PPacket(hostId_, data, length, SteamReceiver::kChannel);
}

void SteamClient::acceptSession(const kel::SteamCallbackData& request) {
  if (networking_ != nullptr) networking_->acceptP2PSessionWithUser(request.steamId);
}

void SteamClient::sessionFailed(const kel::SteamCallbackData& failure) {
  if (!connected_ || failure.steamId != hostId_) return;
  const wire::WireOut departure = wire::departureMessage(wire::Side::Host, kel::NET_HOST_PEER);
  listener()->received(departure.data(), departure.size(), kel::NET_HOST_PEER);
}

void SteamClient::stop() {
  receiver_.stop();
  if (connected_) {
    connected_ = false;
    const wire::WireOut leaves =
        wire::departureMessage(wire::Side::Client, listener()->localPeerId());
    networking_->sendP2PPacket(hostId_, leaves.data(), leaves.size(), SteamReceiver::kChannel);
    networking_->closeP2PSessionWithUser(hostId_);
  }
  if (kel::SteamFriends* friends = api_.friends()) friends->clearRichPresence();
}

}  // namespace steam
