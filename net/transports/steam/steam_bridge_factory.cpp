#include "net/transports/steam/steam_bridge_factory.h"

#include "net/transports/steam/steam_client.h"
#include "net/transports/steam/steam_server.h"

namespace steam {

std::unique_ptr<kel::NetBridgeClient> SteamBridgeFactory::createClient(
    kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup) {
  return std::make_unique<SteamClient>(listener, setup, api_);
}

std::unique_ptr<kel::NetBridgeServer> SteamBridgeFactory::createServer(
    kel::NetBridgeListener* listener, const kel::NetBridgeSetup& setup) {
  return std::make_unique<SteamServer>(listener, setup, api_);
}

}  // namespace steam
