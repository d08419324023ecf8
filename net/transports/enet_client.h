#pragma once
// A joining player's direct transport: one ENet connection to the host, one reliable packet on
// channel 0 a message. The start waits up to 5 s for the connection; a host that cannot be found
// or does not answer makes it return false, and the caller ends the endpoint. Once connected, a
// service thread (enet_service.h) hands every packet to the endpoint as from peer 0, and the end
// of the connection as the host's departure [0][4][0][0].
//
// Threads: the game thread starts, sends and stops; the service thread only pushes.

#include <cstdint>

#include "net/transports/enet_service.h"
#include "platform/net_bridge.h"

namespace enet {

class EnetClient : public kel::NetBridgeClient {
 public:
  static constexpr uint32_t kConnectWaitMs = 5000;
  static constexpr uint32_t kLeaveWaitMs = 1000;

  using kel::NetBridgeClient::NetBridgeClient;
  ~EnetClient() override;

  void send(const uint8_t* data, uint32_t length) override;
  // Joins the service thread, then says goodbye to the host: waits up to 1 s a wait for its
  // answer, and forgets the connection either way.
  void stop() override;
  bool start(const kel::base::DesktopConnectionInfo& info) override;

 private:
  bool connect(const kel::base::DesktopDirectConnectionInfo& info);
  void handle(ENetEvent& event);

  EnetService service_;
  ENetPeer* server_ = nullptr;  // under the service's lock
};

}  // namespace enet
