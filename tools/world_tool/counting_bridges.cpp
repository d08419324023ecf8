#include "tools/world_tool/counting_bridges.h"

#include "net/transports/enet_server.h"
#include "platform/net_bridge.h"

namespace world_tool {

namespace {

void count(std::atomic<uint64_t>& messages, std::atomic<uint64_t>& bytes, uint32_t length) {
  messages.fetch_add(1, std::memory_order_relaxed);
  bytes.fetch_add(length, std::memory_order_relaxed);
}

// Between the transport and the endpoint: counts each received message, then hands it on.
class CountingListener final : public kel::NetBridgeListener {
 public:
  CountingListener(kel::NetBridgeListener* endpoint, TrafficCounts& counts) : endpoint_(endpoint), counts_(counts) {}
  void received(const uint8_t* data, uint32_t length, uint8_t peer) override {
    count(counts_.receivedMessages, counts_.receivedBytes, length);
    endpoint_->received(data, length, peer);
  }
  void transportOpened() override { endpoint_->transportOpened(); }
  uint8_t localPeerId() const override { return endpoint_->localPeerId(); }

 private:
  kel::NetBridgeListener* endpoint_;
  TrafficCounts& counts_;
};

// The inner transport hears the counting listener; every call goes through to it. A transport the
// inner factory could not make starts as nothing does: false.
template <typename Base>
class Counting : public Base {
 public:
  Counting(kel::NetBridgeListener* endpoint, const kel::NetBridgeSetup& setup, TrafficCounts& counts)
      : Base(endpoint, setup), listener_(endpoint, counts), counts_(counts) {}

  void send(const uint8_t* data, uint32_t length) override {
    count(counts_.sentMessages, counts_.sentBytes, length);
    if (inner_ != nullptr) inner_->send(data, length);
  }
  void stop() override {
    if (inner_ != nullptr) inner_->stop();
  }
  bool start(const kel::base::DesktopConnectionInfo& info) override {
    return inner_ != nullptr && inner_->startWith(info);
  }

 protected:
  CountingListener listener_;  // before the inner transport, which reports to it until it goes
  TrafficCounts& counts_;
  std::unique_ptr<Base> inner_;
};

class CountingClient final : public Counting<kel::NetBridgeClient> {
 public:
  CountingClient(kel::NetBridgeListener* endpoint, const kel::NetBridgeSetup& setup, TrafficCounts& counts,
                 kel::NetBridgeFactory& inner)
      : Counting(endpoint, setup, counts) {
    inner_ = inner.createClient(&listener_, setup);
  }
  ~CountingClient() override { inner_.reset(); }
};

class CountingServer final : public Counting<kel::NetBridgeServer> {
 public:
  CountingServer(kel::NetBridgeListener* endpoint, const kel::NetBridgeSetup& setup, TrafficCounts& counts,
                 kel::NetBridgeFactory& inner)
      : Counting(endpoint, setup, counts) {
    inner_ = inner.createServer(&listener_, setup);
  }
  ~CountingServer() override { inner_.reset(); }

  void dropPeer(uint8_t peer) override {
    if (inner_ != nullptr) inner_->dropPeer(peer);
  }
  void sendTo(const uint8_t* data, uint32_t length, uint8_t peer) override {
    count(counts_.sentMessages, counts_.sentBytes, length);
    if (inner_ != nullptr) inner_->sendTo(data, length, peer);
  }
  void sendToAllBut(const uint8_t* data, uint32_t length, uint8_t peer) override {
    count(counts_.sentMessages, counts_.sentBytes, length);
    if (inner_ != nullptr) inner_->sendToAllBut(data, length, peer);
  }
  // What the peer's transport declared it takes in: the tool's host paces the world it sends at
  // that rate, as the game's host does.
  uint32_t declaredIncomingBandwidth(uint8_t peer) override {
    return inner_ != nullptr ? inner_->declaredIncomingBandwidth(peer) : 0;
  }
  uint16_t port() {
    auto* direct = dynamic_cast<enet::EnetServer*>(inner_.get());
    return direct != nullptr ? direct->port() : 0;
  }
};

}  // namespace

std::unique_ptr<kel::NetBridgeClient> CountingBridgeFactory::createClient(kel::NetBridgeListener* listener,
                                                                          const kel::NetBridgeSetup& setup) {
  return std::make_unique<CountingClient>(listener, setup, counts_, inner_);
}

std::unique_ptr<kel::NetBridgeServer> CountingBridgeFactory::createServer(kel::NetBridgeListener* listener,
                                                                          const kel::NetBridgeSetup& setup) {
  return std::make_unique<CountingServer>(listener, setup, counts_, inner_);
}

uint16_t listeningPort(kel::NetBridge* bridge) {
  auto* counted = dynamic_cast<CountingServer*>(bridge);
  return counted != nullptr ? counted->port() : 0;
}

}  // namespace world_tool
