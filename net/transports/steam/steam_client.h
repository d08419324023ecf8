#pragma once
// A joining player's store-front transport: peer-to-peer packets with the host named by the
// connection info, one reliable packet on channel 0 a message. There is nothing to wait for at
// the start: the first message (the endpoint's hello) opens the session. Once started, the receive
// thread (steam_receiver.h) hands every packet from the host to the endpoint as from peer 0 and
// drops the packets of anybody else; a failed session with the host is handed over as the host's
// departure [0][4][0][0]. While joined, the rich presence names the host (steam_presence.h).
// Stopping tells the host that this peer leaves ([0][4][own id][0]), closes the session and
// clears the rich presence.
//
// Threads: the game thread starts, sends, stops and runs the client's callbacks; the receive
// thread only pushes to the listener.

#include <cstdint>

#include "net/transports/steam/steam_receiver.h"
#include "platform/net_bridge.h"
#include "platform/steam/steam_api.h"
#include "platform/steam/steam_callback.h"

namespace steam {

class SteamClient : public kel::NetBridgeClient {
 public:
  // The client layer must outlive the bridge.
  SteamClient(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup,
              kel::SteamApi& api);
  ~SteamClient() override;

  void send(const uint8_t* data, uint32_t length) override;
  void stop() override;
  // False for anything but a store-front host, or when the client's networking is not there.
  bool start(const kel::base::DesktopConnectionInfo& info) override;

  // Every session request is accepted; only the host's packets reach the endpoint.
  void acceptSession(const kel::SteamCallbackData& request);
  void sessionFailed(const kel::SteamCallbackData& failure);

 private:
  kel::SteamApi& api_;
  kel::SteamNetworking* networking_ = nullptr;  // while connected
  uint64_t hostId_ = 0;                         // set before the receive thread starts
  bool connected_ = false;
  SteamReceiver receiver_;
  // Declared last: they unregister before anything they call into goes away.
  kel::SteamCallback sessionRequest_;
  kel::SteamCallback connectFail_;
};

}  // namespace steam
