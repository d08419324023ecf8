#pragma once
// The host's store-front transport: peer-to-peer packets between users, one reliable packet on
// channel 0 a message, no address or port. The host advertises its game through rich presence
// (steam_presence.h) while it serves.
//   A session request is accepted while a peer record (steam_peers.h) is free for the user; one
//     that finds every record taken is told that the game is full ([0][12][0]) and its session
//     is closed, so nothing it sends reaches the endpoint.
//   A whole hello gives its sender a record if it has none and one is free; any other packet
//     (a cut or padded hello too) is handed to the endpoint only from a user with a record, with
//     the record's id.
//   A session that fails is handed over as the departure [0][4][id][0] from that id, once.
// Stopping clears the rich presence, tells every peer that the host quits ([0][4][0][0]) and
// closes every session.
//
// Threads: the game thread starts, sends, drops, stops and runs the client's callbacks (session
// requests and failures); the receive thread (steam_receiver.h) only pushes to the listener.

#include <cstdint>

#include "net/transports/steam/steam_peers.h"
#include "net/transports/steam/steam_receiver.h"
#include "platform/net_bridge.h"
#include "platform/steam/steam_api.h"
#include "platform/steam/steam_callback.h"

namespace steam {

class SteamServer : public kel::NetBridgeServer {
 public:
  // The client layer must outlive the bridge.
  SteamServer(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup,
              kel::SteamApi& api);
  ~SteamServer() override;

  void send(const uint8_t* data, uint32_t length) override;
  void stop() override;
  // Ignores the connection info; false when the client's networking is not there.
  bool start(const kel::base::DesktopConnectionInfo& info) override;
  void dropPeer(uint8_t peer) override;
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override;
  void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) override;

  void acceptSession(const kel::SteamCallbackData& request);
  void sessionFailed(const kel::SteamCallbackData& failure);

 private:
  void delivered(const uint8_t* data, uint32_t length, uint64_t sender);
  void sendToUser(uint64_t user, const uint8_t* data, uint32_t length);

  kel::SteamApi& api_;
  kel::SteamNetworking* networking_ = nullptr;  // while started
  SteamPeers peers_;
  SteamReceiver receiver_;
  bool started_ = false;
  // Declared last: they unregister before anything they call into goes away.
  kel::SteamCallback sessionRequest_;
  kel::SteamCallback connectFail_;
};

}  // namespace steam
