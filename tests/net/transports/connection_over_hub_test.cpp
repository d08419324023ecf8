// The connection sequence between real endpoints over the store-front transport and the stand-in
// hub: the host's endpoint is made by the platform's bridge factory for kind 4, as the host menu
// will make it; its clients are users of the same hub.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/transports/steam/steam_bridge_factory.h"
#include "net/transports/steam/steam_client.h"
#include "net/transports/steam/steam_server.h"
#include "net/wire/connection_messages.h"
#include "platform/desktop_platform.h"
#include "tests/net/loopback_fixture.h"
#include "tests/platform/steam/hub_users.h"
#include "tests/support/temp_dir.h"

namespace {

using nettest::Bytes;
using nettest::Received;

constexpr uint64_t kHostId = 100;

class ConnectionOverHub : public ::testing::Test {
 protected:
  void SetUp() override {
    users.hub->addUser(kHostId, "Host");
    kel::DesktopPlatform::Services services;
    services.steam = std::make_unique<kel::HubSteamApi>(users.hub, kHostId);
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    const char* const args[] = {"rubblemoor"};
    ASSERT_TRUE(platform->start(1, args));
    factory = std::make_unique<steam::SteamBridgeFactory>(platform->steamApi());
    platform->setNetBridgeFactory(kel::NET_KIND_STEAM, factory.get());
    kel::Platform::setInstance(platform.get());
  }
  void TearDown() override {
    clients.clear();
    host.reset();
    kel::Platform::setInstance(nullptr);
  }

  void startHost(uint8_t limit) {
    host = NetServer::create(kel::NetBridgeSetup{kel::NET_KIND_STEAM, limit, ""}, "Host", &hostNotices);
    ASSERT_NE(dynamic_cast<steam::SteamServer*>(host->bridge()), nullptr);
    ASSERT_TRUE(host->bridge()->startWith(kel::base::DesktopClientSteamConnectionInfo(0)));
  }

  nettest::LoopbackClient& join(uint64_t id, const std::string& name) {
    kel::HubSteamApi& api = users.add(id, name);
    clientNotices.push_back(std::make_unique<nettest::RecordingNotices>());
    auto client = std::make_unique<nettest::LoopbackClient>(name, clientNotices.back().get());
    client->setBridge(
        std::make_unique<steam::SteamClient>(client->bridgeListener(), kel::NetBridgeSetup{}, api));
    EXPECT_TRUE(client->bridge()->startWith(kel::base::DesktopClientSteamConnectionInfo(kHostId)));
    clients.push_back(std::move(client));
    return *clients.back();
  }

  // One frame of every game: the client layers' callbacks (the platform's pump for the host),
  // then each endpoint's drain.
  bool pumpUntil(const std::function<bool()>& done) {
    return nettest::pumpUntil(
        [this] {
          platform->runSteamCallbacks();
          users.runCallbacks();
          if (!host->isShutDown()) host->dispatchQueued();
          for (auto& client : clients) client->dispatchQueued();
        },
        done);
  }
  bool admitted(const std::string& name, uint8_t id) {
    return host->players().at(id) != nullptr && host->players().at(id)->name() == name;
  }

  testsupport::ScopedDataHome home;
  testsupport::HubUsers users;
  std::unique_ptr<kel::DesktopPlatform> platform;
  std::unique_ptr<steam::SteamBridgeFactory> factory;
  nettest::RecordingNotices hostNotices;
  std::unique_ptr<NetServer> host;
  std::vector<std::unique_ptr<nettest::RecordingNotices>> clientNotices;
  std::vector<std::unique_ptr<nettest::LoopbackClient>> clients;
};

}  // namespace

TEST_F(ConnectionOverHub, HelloAndAdmissionCrossTheStoreFront) {
  startHost(4);
  nettest::LoopbackClient& ann = join(201, "Ann");
  nettest::LoopbackClient& bo = join(202, "Bo");
  const Received admission{Bytes{0, 3, 1, 0}, 0};
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(bo.seen, admission); }));
  EXPECT_TRUE(admitted("Ann", 1));
  EXPECT_TRUE(admitted("Bo", 2));
  EXPECT_EQ(host->players().occupied(), 3u);
  const wire::WireOut hello = wire::helloMessage("Bo", 2);
  const Received relayed{Bytes(hello.data(), hello.data() + hello.size()), 0};
  EXPECT_TRUE(pumpUntil([&] { return nettest::hasSeen(ann.seen, relayed); }));
  EXPECT_TRUE(nettest::hasSeen(ann.seen, admission));
}

TEST_F(ConnectionOverHub, APlayerPastTheLimitIsToldTheServerIsFull) {
  startHost(2);
  join(201, "Ann");
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  nettest::LoopbackClient& late = join(202, "Bo");
  ASSERT_TRUE(pumpUntil([&] { return late.isShutDown(); }));
  EXPECT_EQ(clientNotices.back()->lostTexts, (std::vector<std::string>{"Can't join! Server is full."}));
  EXPECT_EQ(host->players().occupied(), 2u);
}

TEST_F(ConnectionOverHub, AHostThatQuitsIsSeenAsTheHostsDeparture) {
  startHost(4);
  nettest::LoopbackClient& ann = join(201, "Ann");
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  host->shutdown();
  ASSERT_TRUE(pumpUntil([&] { return ann.isShutDown(); }));
  EXPECT_EQ(ann.seen.back(), (Received{Bytes{0, 4, 0, 0}, 0}));
  EXPECT_EQ(clientNotices.back()->lostTexts, (std::vector<std::string>{"The host has quit the game."}));
}

TEST_F(ConnectionOverHub, APlayerWhoseGameEndsLeavesTheWorld) {
  startHost(4);
  join(201, "Ann");
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  users.views.front()->shutdown();  // Ann's client layer goes with her game
  ASSERT_TRUE(pumpUntil([&] { return host->players().at(1) == nullptr; }));
  EXPECT_EQ(hostNotices.lines.back(), "Ann has left the world.");
}
