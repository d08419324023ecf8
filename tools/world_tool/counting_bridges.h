#pragma once
// The direct transports as the platform makes them, with the messages and bytes that pass through
// them counted: the host's tool reports its traffic every second, a client's tool what it received.
// The counts are atomic: a transport's own thread counts what it receives.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/platform_factories.h"

namespace world_tool {

struct TrafficCounts {
  std::atomic<uint64_t> receivedMessages{0};
  std::atomic<uint64_t> receivedBytes{0};
  std::atomic<uint64_t> sentMessages{0};
  std::atomic<uint64_t> sentBytes{0};
};

class CountingBridgeFactory final : public kel::NetBridgeFactory {
 public:
  // `inner` (not owned) makes the transports counted.
  explicit CountingBridgeFactory(kel::NetBridgeFactory& inner) : inner_(inner) {}

  std::unique_ptr<kel::NetBridgeClient> createClient(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;
  std::unique_ptr<kel::NetBridgeServer> createServer(kel::NetBridgeListener* listener,
                                                     const kel::NetBridgeSetup& setup) override;

  TrafficCounts& counts() { return counts_; }

 private:
  kel::NetBridgeFactory& inner_;
  TrafficCounts counts_;
};

// The port a direct host's transport made by the factory listens on; 0 for another transport.
uint16_t listeningPort(kel::NetBridge* bridge);

}  // namespace world_tool
