#pragma once
// The rules that turn counted events into achievements: per statistic, by the id the event is
// about and its new count in the statistic's category (`count`, 0 for statistics without one).
// Extra counters that the rules keep (torches, wood, dirt, mob groups ...) live in the store's
// 128 counters. Main thread only.

#include <cstdint>

class StatsStore;

void runAchievementRules(StatsStore& store, uint16_t statistic, uint16_t id, uint32_t count);
// The kill rules of mob `mobId` after its kill count in category 7 became `count`.
void runKillRules(StatsStore& store, uint16_t mobId, uint32_t count);
