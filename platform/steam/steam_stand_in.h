#pragma once
// Which store-front client the desktop build talks to. No client runs on the machines we build
// for, so the build uses the null client (no store front) unless the environment variable
// RUBBLE_STOREFRONT is "stand-in": then the local user is the one user of a hub of our own
// (steam_hub.h), online and with no friends, so the game can host over the store front's
// transport in one process.

#include <memory>
#include <string>

#include "platform/steam/steam_api.h"

namespace kel {

inline constexpr const char* kStoreFrontVariable = "RUBBLE_STOREFRONT";
inline constexpr const char* kStandInChoice = "stand-in";
// The local user's id on a stand-in hub.
inline constexpr uint64_t kStandInLocalId = 76561190000000001ull;

// The client that the variable's value (null: unset) chooses.
std::unique_ptr<SteamApi> makeSteamApi(const char* choice);
// The same for the process's environment.
std::unique_ptr<SteamApi> steamApiFromEnvironment();

}  // namespace kel
