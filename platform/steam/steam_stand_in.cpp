#include "platform/steam/steam_stand_in.h"

#include <cstdlib>
#include <string_view>

#include "platform/steam/hub_steam_api.h"

namespace kel {

namespace {

std::string localUserName() {
  const char* user = std::getenv("USER");
  return user != nullptr && *user != '\0' ? user : "Player";
}

}  // namespace

std::unique_ptr<SteamApi> makeSteamApi(const char* choice) {
  if (choice == nullptr || std::string_view(choice) != kStandInChoice) {
    return std::make_unique<NullSteamApi>();
  }
  auto hub = std::make_shared<SteamHub>();
  hub->addUser(kStandInLocalId, localUserName());
  return std::make_unique<HubSteamApi>(std::move(hub), kStandInLocalId);
}

std::unique_ptr<SteamApi> steamApiFromEnvironment() {
  return makeSteamApi(std::getenv(kStoreFrontVariable));
}

}  // namespace kel
