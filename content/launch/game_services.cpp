#include "content/launch/game_services.h"

namespace {
NullGameServices nullServices;
GameServices* registered = &nullServices;
}  // namespace

GameServices& gameServices() { return *registered; }

void setGameServices(GameServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

bool gameServicesRegistered() { return registered != &nullServices; }
