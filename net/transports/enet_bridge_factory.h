#pragma once
// Makes the direct (ENet) transports for the platform's bridge factory slot of kind 3; the
// application registers one at launch.

#include "platform/platform_factories.h"

namespace enet {

class EnetBridgeFactory : public kel::NetBridgeFactory {
 public:
  std::unique_ptr<kel::NetBridgeClient> createClient(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;
  std::unique_ptr<kel::NetBridgeServer> createServer(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;
};

}  // namespace enet
