#include "game/stats/stats_player_events.h"

#include "game/stats/stats_store.h"

void StatsPlayerEvents::recordStat(uint16_t statId, uint16_t value) { store_.recordStatEvent(statId, value); }

void StatsPlayerEvents::achievementReached(uint16_t index) { store_.unlockAchievement(index); }
