#include "net/transports/enet_bridge_factory.h"

#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"

namespace enet {

std::unique_ptr<kel::NetBridgeClient> EnetBridgeFactory::createClient(
    kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup) {
  return std::make_unique<EnetClient>(listener, setup);
}

std::unique_ptr<kel::NetBridgeServer> EnetBridgeFactory::createServer(
    kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup) {
  return std::make_unique<EnetServer>(listener, setup);
}

}  // namespace enet
