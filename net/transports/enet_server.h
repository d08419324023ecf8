#pragma once
// The host's direct transport: an ENet host listening on the port of the connection info, one
// reliable packet on channel 0 a message, and a service thread (enet_service.h) that turns ENet's
// events into messages for the endpoint:
//   a connection takes the lowest free peer slot (peer_slots.h); one that finds no slot is told
//     that the game is full ([0][12][0]) and disconnected at once, and nothing it sends or does
//     reaches the endpoint;
//   a packet is handed to the endpoint with its slot's id;
//   a connection that ends is handed over as the departure [0][4][id][0] from its id, unless the
//     endpoint had dropped it already.
// A dropped peer is disconnected once what was sent to it has arrived. Stopping disconnects every
// peer, so their clients learn at once that the host has gone.
//
// Threads: the game thread starts, sends, drops and stops; the service thread only pushes to
// the listener.

#include <array>
#include <cstdint>

#include "net/transports/enet_service.h"
#include "net/transports/peer_slots.h"
#include "platform/net_bridge.h"

namespace enet {

class EnetServer : public kel::NetBridgeServer {
 public:
  EnetServer(kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup);
  ~EnetServer() override;

  void send(const uint8_t* data, uint32_t length) override;
  void stop() override;
  // Listens on the info's port (0: one the system picks; see port()). The info's host, when set,
  // is the one address to listen on; empty listens on every interface.
  bool start(const kel::base::DesktopConnectionInfo& info) override;
  void dropPeer(uint8_t peer) override;
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override;
  void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) override;
  // What the client's ENet host declared as its incoming bandwidth when it connected. Kept from the
  // connection: ENet's own bandwidth exchange soon after tells this host, whose outgoing
  // bandwidth is unlimited, a limit of 0 from every client, which would read as "no pace".
  uint32_t declaredIncomingBandwidth(uint8_t peer) override;

  // The port the server listens on; 0 before start.
  uint16_t port();

 private:
  void handle(ENetEvent& event);
  void connected(ENetPeer* peer);
  void disconnected(ENetPeer* peer);
  void received(ENetPeer* peer, ENetPacket* packet);

  EnetService service_;
  PeerSlots slots_;  // under the service's lock
  std::array<uint32_t, 256> declared_{};  // by slot, as each connection declared it; under the lock
};

}  // namespace enet
