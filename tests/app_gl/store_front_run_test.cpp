// The real program with the store-front stand-in chosen: its platform starts the stand-in, and a
// host endpoint made through the platform's bridge factory for kind 4 hosts over the store front
// and shows it in its rich presence.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/app/application.h"
#include "net/endpoint/net_server.h"
#include "net/transports/steam/steam_server.h"
#include "platform/desktop_platform.h"
#include "platform/steam/steam_presence.h"
#include "platform/steam/steam_stand_in.h"
#include "tests/app_gl/app_run_support.h"

namespace {

using StoreFrontRun = apptest::AppRunTest;

TEST_F(StoreFrontRun, WithTheStandInChosenTheProgramHostsOverTheStoreFront) {
  ::setenv(kel::kStoreFrontVariable, kel::kStandInChoice, 1);
  bool ready = false;
  bool storeFrontBridge = false;
  bool started = false;
  std::string status;
  apptest::everyFrame([&](int frame) {
    if (frame == 1) apptest::pinLoadedLibraries();
    if (frame != 3) return;
    auto* platform = dynamic_cast<kel::DesktopPlatform*>(kel::Platform::instance());
    ASSERT_NE(platform, nullptr);
    ready = platform->steamReady();
    std::unique_ptr<NetServer> host = NetServer::create(kel::NetBridgeSetup{kel::NET_KIND_STEAM, 4, ""}, "Host");
    storeFrontBridge = dynamic_cast<steam::SteamServer*>(host->bridge()) != nullptr;
    started = host->bridge() != nullptr &&
              host->bridge()->startWith(kel::base::DesktopClientSteamConnectionInfo(0));
    kel::SteamFriends* friends = platform->steamApi().friends();
    if (friends != nullptr) {
      status = friends->friendRichPresence(kel::kStandInLocalId, kel::presence::kPlayerStatus);
    }
    host.reset();
    engine::Application::getInstance()->quit();
  });
  const int exitCode = apptest::runWith("-safe");
  ::unsetenv(kel::kStoreFrontVariable);
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(ready);
  EXPECT_TRUE(storeFrontBridge);
  EXPECT_TRUE(started);
  EXPECT_EQ(status, kel::presence::kServer);
}

}  // namespace
