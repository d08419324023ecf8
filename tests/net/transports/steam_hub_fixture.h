#pragma once
// A host and its clients as virtual users of one stand-in hub, each with its own store-front
// bridge and the endpoint's receive queue behind it. The test thread plays every game thread: a
// pump runs every user's callbacks and drains every queue.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/transports/net_async_buffer.h"
#include "net/transports/steam/steam_client.h"
#include "net/transports/steam/steam_server.h"
#include "net/wire/connection_messages.h"
#include "platform/net_connection_info.h"
#include "tests/net/net_test_support.h"
#include "tests/platform/steam/hub_users.h"
#include "tests/support/steam_probe.h"

namespace steamtest {

using Bytes = std::vector<uint8_t>;

struct Received {
  Bytes bytes;
  uint8_t peer;
  bool operator==(const Received&) const = default;
};

// The endpoint's side of a bridge: its receive queue, and what the game thread drained from it.
class QueueListener : public kel::NetBridgeListener {
 public:
  void received(const uint8_t* data, uint32_t length, uint8_t peer) override {
    queue.push(data, length, peer);
  }
  void transportOpened() override { ++opened; }
  uint8_t localPeerId() const override { return ownId; }
  void drain() {
    queue.drain([this](const kel::NetMessage& m) {
      seen.push_back({Bytes(m.data(), m.data() + m.length()), m.peer()});
      return true;
    });
  }
  std::vector<Received> from(uint8_t peer) const {
    std::vector<Received> found;
    for (const Received& r : seen) {
      if (r.peer == peer) found.push_back(r);
    }
    return found;
  }

  kel::NetAsyncBuffer<32> queue;
  std::vector<Received> seen;
  int opened = 0;
  uint8_t ownId = kel::NET_HOST_PEER;
};

inline Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

constexpr uint64_t kHostId = 100;
constexpr uint64_t kAnnId = 201;
constexpr uint64_t kBoId = 202;
constexpr uint64_t kStrangerId = 300;

class SteamHubTest : public ::testing::Test {
 protected:
  struct Joined {
    QueueListener listener;
    std::unique_ptr<steam::SteamClient> bridge;
  };

  void SetUp() override {
    hostApi = &users.add(kHostId, "Host");
    annApi = &users.add(kAnnId, "Ann");
    boApi = &users.add(kBoId, "Bo");
    strangerApi = &users.add(kStrangerId, "Stranger");
    kel::SteamProbe::befriend(*users.hub, kHostId, kAnnId);
    kel::SteamProbe::befriend(*users.hub, kHostId, kBoId);
    kel::SteamProbe::befriend(*users.hub, kAnnId, kBoId);
  }

  void startHost(uint8_t limit) {
    server = std::make_unique<steam::SteamServer>(
        &host, kel::NetBridgeSetup{kel::NET_KIND_STEAM, limit, ""}, *hostApi);
    ASSERT_TRUE(server->startWith(kel::base::DesktopClientSteamConnectionInfo(0)));
  }

  // A client of the host that said hello as `name`.
  Joined& join(kel::HubSteamApi& api, const std::string& name) {
    auto joined = std::make_unique<Joined>();
    joined->bridge =
        std::make_unique<steam::SteamClient>(&joined->listener, kel::NetBridgeSetup{}, api);
    EXPECT_TRUE(joined->bridge->startWith(kel::base::DesktopClientSteamConnectionInfo(kHostId)));
    sendFrom(*joined->bridge, bytesOf(wire::helloMessage(name)));
    clients.push_back(std::move(joined));
    return *clients.back();
  }

  static void sendFrom(kel::NetBridge& bridge, const Bytes& bytes) {
    bridge.send(bytes.data(), static_cast<uint32_t>(bytes.size()));
  }

  // One frame of every game: the client layers' callbacks, then every queue's drain.
  void pumpOnce() {
    users.runCallbacks();
    host.drain();
    for (auto& client : clients) client->listener.drain();
  }
  bool pumpUntil(const std::function<bool()>& done) {
    return nettest::pumpUntil([this] { pumpOnce(); }, done);
  }

  // A user's rich presence as one of its friends reads it.
  std::string presenceOf(uint64_t id, const char* key) {
    const uint64_t reader = id == kHostId ? kAnnId : kHostId;
    return users.hub->friendPresence(reader, id, key);
  }

  testsupport::HubUsers users;
  kel::HubSteamApi* hostApi = nullptr;
  kel::HubSteamApi* annApi = nullptr;
  kel::HubSteamApi* boApi = nullptr;
  kel::HubSteamApi* strangerApi = nullptr;
  QueueListener host;
  // Declared after the listeners and users they reach, so they stop first.
  std::unique_ptr<steam::SteamServer> server;
  std::vector<std::unique_ptr<Joined>> clients;
};

}  // namespace steamtest
