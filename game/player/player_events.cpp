#include "game/player/player_events.h"

#include "game/stats/stats_store.h"

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

void PlayerEvents::recordStat(uint16_t statId, uint16_t value) { statsStore().recordStatEvent(statId, value); }
