#pragma once
// A host and its clients in one process over real ENet on 127.0.0.1, the host on a port the
// system picks. Every endpoint records the bytes of each message its handler was given.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/endpoint/net_client.h"
#include "net/endpoint/net_server.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "tests/net/net_test_support.h"

namespace nettest {

using Bytes = std::vector<uint8_t>;

struct Received {
  Bytes bytes;
  uint8_t peer;
  bool operator==(const Received&) const = default;
};

// An endpoint that records every message it handles before handling it.
template <class Endpoint>
class Recording : public Endpoint {
 public:
  using Endpoint::Endpoint;
  void onPacket(const uint8_t* data, uint32_t length, uint8_t peer) override {
    seen.push_back({Bytes(data, data + length), peer});
    Endpoint::onPacket(data, length, peer);
  }
  std::vector<Received> seen;
};
using LoopbackServer = Recording<NetServer>;
using LoopbackClient = Recording<NetClient>;

// A transport without an endpoint: what arrives is only recorded.
class RawListener : public kel::NetBridgeListener {
 public:
  void received(const uint8_t* data, uint32_t length, uint8_t peer) override {
    queue.push(data, length, peer);
  }
  void transportOpened() override {}
  uint8_t localPeerId() const override { return kel::NET_HOST_PEER; }
  std::vector<Received> take() {
    std::vector<Received> all;
    queue.drain([&](const kel::NetMessage& m) {
      all.push_back({Bytes(m.data(), m.data() + m.length()), m.peer()});
      return true;
    });
    return all;
  }
  kel::NetAsyncBuffer<32> queue;
};

inline constexpr const char* kLoopback = "127.0.0.1";

class LoopbackTest : public ::testing::Test {
 protected:
  void startHost(uint8_t limit) {
    const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, limit, ""};
    host = std::make_unique<LoopbackServer>(setup, "Host", &hostNotices);
    auto bridge = std::make_unique<enet::EnetServer>(host->bridgeListener(), setup);
    hostBridge = bridge.get();
    host->setBridge(std::move(bridge));
    ASSERT_TRUE(hostBridge->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, 0)));
    port = hostBridge->port();
    ASSERT_NE(port, 0);
  }

  // A client that has connected and said hello; null when its transport could not connect.
  LoopbackClient* join(const std::string& name) {
    clientNotices.push_back(std::make_unique<RecordingNotices>());
    auto client = std::make_unique<LoopbackClient>(name, clientNotices.back().get());
    client->setBridge(std::make_unique<enet::EnetClient>(client->bridgeListener(), kel::NetBridgeSetup{}));
    if (!client->bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port))) {
      return nullptr;
    }
    clients.push_back(std::move(client));
    return clients.back().get();
  }

  // Drains every endpoint until `done` holds (a hang's limit at most).
  bool pumpUntil(const std::function<bool()>& done) {
    return nettest::pumpUntil([this] { pumpOnce(); }, done);
  }
  void pumpOnce() {
    host->dispatchQueued();
    for (auto& client : clients) client->dispatchQueued();
  }
  bool admitted(const std::string& name, uint8_t id) {
    return host->players().at(id) != nullptr && host->players().at(id)->name() == name;
  }

  RecordingNotices hostNotices;
  std::unique_ptr<LoopbackServer> host;
  enet::EnetServer* hostBridge = nullptr;
  uint16_t port = 0;
  std::vector<std::unique_ptr<RecordingNotices>> clientNotices;
  std::vector<std::unique_ptr<LoopbackClient>> clients;
};

inline bool hasSeen(const std::vector<Received>& seen, const Received& wanted) {
  for (const Received& r : seen) {
    if (r == wanted) return true;
  }
  return false;
}

}  // namespace nettest
