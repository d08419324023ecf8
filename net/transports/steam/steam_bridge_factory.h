#pragma once
// Makes the store-front transports for the platform's bridge factory slot of kind 4; the
// application registers one at launch, over the platform's own client layer.

#include "platform/platform_factories.h"
#include "platform/steam/steam_api.h"

namespace steam {

class SteamBridgeFactory : public kel::NetBridgeFactory {
 public:
  // The client layer must outlive the factory and every bridge it makes.
  explicit SteamBridgeFactory(kel::SteamApi& api) : api_(api) {}

  std::unique_ptr<kel::NetBridgeClient> createClient(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;
  std::unique_ptr<kel::NetBridgeServer> createServer(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;

 private:
  kel::SteamApi& api_;
};

}  // namespace steam
