#include "game/player/player_events.h"

#include "game/stats/stats_store.h"

void PlayerEvents::recordStat(uint16_t statId, uint16_t value) { statsStore().recordStatEvent(statId, value); }

engine::Seam<PlayerEvents, PlayerEvents>& playerEventsSeam() {
  static engine::Seam<PlayerEvents, PlayerEvents> seam;
  return seam;
}

PlayerEvents& playerEvents() { return playerEventsSeam().get(); }

void setPlayerEvents(PlayerEvents* events) { playerEventsSeam().set(events); }
