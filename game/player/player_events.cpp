#include "game/player/player_events.h"

namespace {
PlayerEvents*& slot() {
  static PlayerEvents* events = nullptr;
  return events;
}
}  // namespace

PlayerEvents& playerEvents() {
  static PlayerEvents none;
  PlayerEvents* events = slot();
  return events != nullptr ? *events : none;
}

void setPlayerEvents(PlayerEvents* events) { slot() = events; }
