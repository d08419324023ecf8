#include "game/stats/achievement_rules.h"

#include <algorithm>
#include <initializer_list>

#include "content/tables/content_tables.h"
#include "game/stats/stats_store.h"

namespace {

struct IdAchievement {
  uint16_t id;
  uint8_t achievement;
};

// Crafting any of these ids unlocks the achievement at once.
constexpr IdAchievement kCraftedFirst[] = {
    {2, 4},    {66, 4},   {4, 5},    {68, 5},   {3, 3},    {7, 3},    {67, 3},   {71, 3},
    {770, 3},  {834, 3},  {258, 7},  {260, 7},  {261, 7},  {322, 7},  {324, 7},  {325, 7},
    {386, 7},  {388, 7},  {389, 7},  {514, 8},  {516, 8},  {517, 8},  {578, 9},  {580, 9},
    {581, 9},  {280, 52}, {344, 51}, {354, 10}, {472, 49}, {536, 50}, {537, 18}, {600, 55},
    {664, 56}, {24, 45},  {25, 16},  {34, 2},   {88, 53},  {848, 14}, {912, 14}, {976, 14},
    {862, 12}, {1122, 11}, {1168, 15}, {1232, 15}, {1296, 15}, {1240, 48}, {1304, 47},
    {1368, 57}, {1688, 58},
};
constexpr uint16_t kBedsFirst = 3679, kBedsLast = 3686;
constexpr uint8_t kAnyCraft = 6, kBed = 2;
constexpr uint16_t kMetalChests[] = {89, 153, 217, 281, 345, 409, 601, 665};

struct PlacedRule {
  uint16_t id;
  uint32_t count;  // 0: the first placing already counts
  uint8_t achievement;
};
constexpr PlacedRule kPlaced[] = {
    {396, 8, 37},   {501, 500, 39}, {536, 50, 28},  {374, 5, 34},  {180, 5, 35},
    {239, 500, 40}, {264, 10, 32},  {267, 20, 36},  {280, 95, 31}, {330, 50, 38},
    {2599, 50, 41}, {288, 0, 30},   {290, 0, 29},   {2434, 0, 33}, {2458, 0, 27},
};
constexpr uint16_t kTorches[] = {90, 149, 181, 277, 341, 1732, 1939, 3882, 3988};
constexpr uint16_t kTorchCounter = 16;

// By the placed block's flags, the first that applies counts in its counter.
struct FlagCounter {
  int flag;
  uint16_t counter;
  uint32_t at;  // 0: no achievement
  uint8_t achievement;
};
constexpr FlagCounter kPlacedFlags[] = {
    {23, 18, 500, 60}, {21, 19, 0, 0}, {41, 20, 0, 0}, {22, 17, 500, 59}, {7, 21, 0, 0},
};

struct DestroyedGroup {
  std::initializer_list<uint16_t> ids;
  uint16_t counter;
  uint32_t at;
  uint8_t achievement;
};
const DestroyedGroup kDestroyed[] = {
    {{579, 581, 853, 888, 1098, 1100, 1155, 1157, 1199, 1201, 1226, 1258, 2007, 2039, 3019,
      3051, 3663, 3665},
     12, 1000, 20},
    {{263, 283, 672, 704, 736, 992, 1024, 1056, 1152, 1184, 1216, 1484, 1499, 1516, 1531, 1563,
      1595, 1836, 1868, 1900},
     13, 1000, 24},
    {{80, 284, 864, 896, 928, 1248, 1280, 1312, 1356, 1388, 1420, 1568, 1580, 1600, 1612, 1632,
      1644, 1920, 1933, 1965, 1997},
     14, 1000, 25},
    {{98, 99, 100, 101, 102, 1539, 1540, 1541, 1571, 1572, 1573, 1574, 1575, 1576, 1577, 1578,
      1603, 1604, 1605, 1607, 1608, 1609, 1610},
     15, 50, 26},
};

template <typename Range>
bool listed(const Range& ids, uint16_t id) {
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

void unlockAt(StatsStore& store, uint32_t value, uint32_t at, uint8_t achievement) {
  if (value == at) store.unlockAchievement(achievement);
}

struct Step {
  uint32_t at;
  uint8_t achievement;
};

// A counter that unlocks one achievement at each of several values.
void unlockSteps(StatsStore& store, uint32_t value, std::initializer_list<Step> steps) {
  for (const Step& step : steps) unlockAt(store, value, step.at, step.achievement);
}

void eaten(StatsStore& store, uint16_t id, uint32_t count) {
  if (id == 746 && count >= 50) store.unlockAchievement(1);
  if (id == 2052 && count >= 500) store.unlockAchievement(0);
}

void crafted(StatsStore& store, uint16_t id, uint32_t count) {
  store.unlockAchievement(kAnyCraft);
  for (const IdAchievement& rule : kCraftedFirst) {
    if (rule.id == id) store.unlockAchievement(rule.achievement);
  }
  if (id >= kBedsFirst && id <= kBedsLast) store.unlockAchievement(kBed);
  if (id == 1040 && count >= 20) store.unlockAchievement(13);
  if (listed(kMetalChests, id)) {
    uint32_t chests = 0;
    for (uint16_t chest : kMetalChests) chests += store.statCategoryCount(stat_category::kCrafted, chest);
    if (chests >= 50) store.unlockAchievement(17);
  }
}

void placed(StatsStore& store, uint16_t id, uint32_t count) {
  for (const PlacedRule& rule : kPlaced) {
    if (rule.id == id && (rule.count == 0 || rule.count == count)) store.unlockAchievement(rule.achievement);
  }
  if (listed(kTorches, id)) {
    unlockSteps(store, store.addToCounter(kTorchCounter), {{1, 42}, {100, 43}, {1000, 44}});
  }
  const BlockDef* block = blockDefinitionById(id);
  if (block == nullptr) return;
  for (const FlagCounter& rule : kPlacedFlags) {
    if (!block->record.hasFlag(rule.flag)) continue;
    const uint32_t value = store.addToCounter(rule.counter);
    if (rule.at != 0) unlockAt(store, value, rule.at, rule.achievement);
    return;
  }
}

void destroyed(StatsStore& store, uint16_t id) {
  for (const DestroyedGroup& group : kDestroyed) {
    if (listed(group.ids, id)) unlockAt(store, store.addToCounter(group.counter), group.at, group.achievement);
  }
  unlockSteps(store, store.counter(stat_number::kDestroyed), {{1000, 21}, {10000, 22}, {100000, 23}});
}

}  // namespace

void runAchievementRules(StatsStore& store, uint16_t statistic, uint16_t id, uint32_t count) {
  switch (statistic) {
    case stat_number::kEaten: eaten(store, id, count); break;
    case stat_number::kCrafted: crafted(store, id, count); break;
    case stat_number::kEncrusted: unlockAt(store, store.counter(statistic), 10, 19); break;
    // Saved files count two per fish in this counter; go on counting the same way.
    case stat_number::kFishCaught: store.addToCounter(statistic); break;
    case stat_number::kPlaced: placed(store, id, count); break;
    case stat_number::kDestroyed: destroyed(store, id); break;
    case stat_number::kKilled:
      runKillRules(store, id, count);
      unlockAt(store, store.counter(statistic), 1000, 62);
      break;
    case stat_number::kDied:
      unlockSteps(store, store.counter(statistic), {{1, 87}, {10, 88}, {100, 89}, {1000, 90}});
      break;
    // One event every half second: 1, 10 and 250 hours.
    case stat_number::kPlayTime:
      unlockSteps(store, store.counter(statistic), {{7200, 106}, {72000, 107}, {1800000, 108}});
      break;
    case stat_number::kThrown:
      if (id == 7 && count >= 200) store.unlockAchievement(91);
      break;
    default: break;
  }
}
