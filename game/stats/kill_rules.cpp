#include <initializer_list>

#include "game/stats/achievement_rules.h"
#include "game/stats/stats_store.h"

namespace {

enum class KillRule : uint8_t {
  Own,    // the mob's own kill count
  Group,  // a shared counter that every kill of the listed mobs raises
  Sum,    // the listed mobs' kill counts added up
};

struct IdRange {
  uint16_t first;
  uint16_t last;
};

struct KillAchievement {
  std::initializer_list<IdRange> mobs;
  KillRule rule;
  uint16_t counter;  // Group only
  uint32_t at;
  uint8_t achievement;
};

const KillAchievement kKills[] = {
    {{{2, 3}}, KillRule::Own, 0, 50, 74},
    {{{4, 4}}, KillRule::Own, 0, 50, 66},
    {{{5, 14}, {123, 124}, {140, 141}}, KillRule::Group, 38, 50, 64},
    {{{26, 26}, {28, 28}, {38, 38}, {40, 40}}, KillRule::Sum, 0, 10, 84},
    {{{43, 43}, {52, 57}, {176, 176}, {178, 178}, {229, 229}}, KillRule::Group, 36, 100, 63},
    {{{50, 50}}, KillRule::Own, 0, 100, 78},
    {{{65, 65}}, KillRule::Own, 0, 80, 75},
    {{{82, 83}}, KillRule::Sum, 0, 80, 70},
    {{{101, 101}}, KillRule::Own, 0, 20, 73},
    {{{103, 106}}, KillRule::Group, 45, 80, 83},
    {{{107, 107}, {180, 180}}, KillRule::Sum, 0, 100, 82},
    {{{129, 133}}, KillRule::Group, 43, 50, 81},
    {{{143, 144}}, KillRule::Sum, 0, 20, 76},
    {{{145, 146}}, KillRule::Sum, 0, 100, 79},
    {{{173, 175}, {195, 197}}, KillRule::Group, 42, 100, 77},
    {{{179, 179}}, KillRule::Own, 0, 30, 85},
    {{{185, 185}, {187, 187}, {191, 191}}, KillRule::Group, 39, 50, 67},
    {{{199, 200}, {205, 205}, {208, 209}}, KillRule::Group, 34, 50, 61},
    {{{201, 201}}, KillRule::Own, 0, 50, 71},
    {{{206, 207}}, KillRule::Sum, 0, 40, 69},
    {{{212, 217}, {220, 227}}, KillRule::Group, 40, 200, 68},
    {{{230, 231}}, KillRule::Sum, 0, 40, 80},
    {{{232, 233}, {235, 238}}, KillRule::Group, 41, 200, 72},
    {{{251, 254}}, KillRule::Group, 44, 70, 86},
    {{{256, 256}, {258, 261}}, KillRule::Group, 35, 50, 65},
};

bool names(const KillAchievement& rule, uint16_t mob) {
  for (const IdRange& range : rule.mobs) {
    if (mob >= range.first && mob <= range.last) return true;
  }
  return false;
}

uint32_t killSum(const StatsStore& store, const KillAchievement& rule) {
  uint32_t sum = 0;
  for (const IdRange& range : rule.mobs) {
    for (uint32_t mob = range.first; mob <= range.last; ++mob) {
      sum += store.statCategoryCount(stat_category::kKilled, static_cast<uint16_t>(mob));
    }
  }
  return sum;
}

uint32_t ruleValue(StatsStore& store, const KillAchievement& rule, uint32_t count) {
  switch (rule.rule) {
    case KillRule::Own: return count;
    case KillRule::Group: return store.addToCounter(rule.counter);
    case KillRule::Sum: return killSum(store, rule);
  }
  return 0;
}

}  // namespace

void runKillRules(StatsStore& store, uint16_t mobId, uint32_t count) {
  for (const KillAchievement& rule : kKills) {
    if (!names(rule, mobId)) continue;
    if (ruleValue(store, rule, count) == rule.at) store.unlockAchievement(rule.achievement);
    return;
  }
}
