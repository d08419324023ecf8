#include "game/player/player_events.h"

#include "game/stats/stats_store.h"

void PlayerEvents::recordStat(uint16_t statId, uint16_t value) { statsStore().recordStatEvent(statId, value); }
