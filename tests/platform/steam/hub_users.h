#pragma once
// Virtual users of one stand-in hub, each online through its own client view, for the tests of
// the store-front layer and its transports.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/steam/hub_steam_api.h"
#include "platform/steam/steam_hub.h"

namespace testsupport {

class HubUsers {
 public:
  // A new user of the hub, online unless asked otherwise.
  kel::HubSteamApi& add(uint64_t id, const std::string& name, bool online = true) {
    hub->addUser(id, name);
    views.push_back(std::make_unique<kel::HubSteamApi>(hub, id));
    if (online) views.back()->init();
    return *views.back();
  }
  // Every view's queued callbacks, as each game's frame runs them.
  void runCallbacks() {
    for (auto& view : views) view->runCallbacks();
  }

  std::shared_ptr<kel::SteamHub> hub = std::make_shared<kel::SteamHub>();
  std::vector<std::unique_ptr<kel::HubSteamApi>> views;
};

}  // namespace testsupport
