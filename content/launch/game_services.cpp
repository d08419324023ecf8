#include "content/launch/game_services.h"

engine::Seam<GameServices, NullGameServices>& gameServicesSeam() {
  static engine::Seam<GameServices, NullGameServices> seam;
  return seam;
}

GameServices& gameServices() { return gameServicesSeam().get(); }

void setGameServices(GameServices* services) { gameServicesSeam().set(services); }

bool gameServicesRegistered() { return gameServicesSeam().registered(); }
