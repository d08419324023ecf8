#include "game/stats/stats_store.h"

#include <algorithm>

#include "content/tables/content_tables.h"
#include "game/stats/achievement_popup.h"
#include "game/stats/achievement_rules.h"
#include "platform/achievements_bridge.h"

namespace {

constexpr int kNoCategory = -1;
// Which category statistics page 0-5 lists.
constexpr uint32_t kPageCategories[] = {1, 2, 3, 4, 7, 8};

NullAchievementPopup nullPopup;

int categoryOf(uint16_t statistic) {
  switch (statistic) {
    case 0: return 1;
    case 1: return 0;
    case 2: return 2;
    case 4: return 3;
    case 5: return 4;
    case 6: return 11;
    case 7: return 12;
    case 10: return 5;
    case 11: return 6;
    case 32: return 7;
    case 33: return 8;
    case 80: return 9;
    case 81: return 10;
    default: return kNoCategory;
  }
}

}  // namespace

StatsStore::StatsStore() : popup_(&nullPopup) {}

void StatsStore::setServices(kel::AchievementsBridge* service, AchievementPopup* popup) {
  service_ = service;
  popup_ = popup != nullptr ? popup : &nullPopup;
}

bool StatsStore::servicesRegistered() const { return service_ != nullptr || popup_ != &nullPopup; }

void StatsStore::recordStatEvent(uint16_t statistic, uint16_t id) {
  if (statistic >= kStatCounterCount) return;
  record_.counters[statistic] += 1;
  uint32_t count = 0;
  const int category = categoryOf(statistic);
  if (category != kNoCategory) count = ++record_.categories[static_cast<size_t>(category)][id];
  if (statistic == stat_number::kCrafted) platformValues_[1] += 1;
  if (statistic == stat_number::kFishCaught) platformValues_[0] += 1;
  runAchievementRules(*this, statistic, id, count);
}

void StatsStore::setValue(uint32_t index, uint32_t value) {
  if (acceptsValue(index)) platformValues_[index] = value;
}

uint32_t StatsStore::statCategoryCount(uint32_t category, uint16_t id) const {
  if (category >= kStatCategoryCount) return 0;
  const auto& counts = record_.categories[category];
  const auto found = counts.find(id);
  return found != counts.end() ? found->second : 0;
}

std::vector<StatEntry> StatsStore::statEntriesSortedByCount(uint32_t page, uint8_t itemKind) const {
  std::vector<StatEntry> entries;
  if (page >= std::size(kPageCategories)) return entries;
  for (const auto& [id, count] : record_.categories[kPageCategories[page]]) {
    const ItemDef* def = itemDefinitionById(id);
    if (itemKind != 0 && (def == nullptr || def->record.kind() != itemKind)) continue;
    entries.push_back({id, count});
  }
  // Whole counts: a count past 65535 still sorts above every smaller one.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const StatEntry& a, const StatEntry& b) { return a.count < b.count; });
  return entries;
}

uint32_t StatsStore::counter(uint16_t statistic) const {
  return statistic < kStatCounterCount ? record_.counters[statistic] : 0;
}

uint32_t StatsStore::addToCounter(uint16_t statistic) {
  if (statistic >= kStatCounterCount) return 0;
  return ++record_.counters[statistic];
}

void StatsStore::unlockAchievement(size_t n) {
  if (n >= kAchievementCount || unlocked_[n]) return;
  unlocked_[n] = true;
  const AchievementRow& row = achievementRows()[n];
  popup_->show(row);
  if (service_ != nullptr) service_->unlock(row.key);
}

void StatsStore::restoreUnlocked(size_t n) {
  if (n < kAchievementCount) unlocked_[n] = true;
}

std::vector<uint8_t> StatsStore::writeStatistics() {
  std::vector<uint8_t> bytes = writeStatsBytes(record_);
  if (service_ != nullptr) {
    // Index 0 fish caught, 1 items crafted: the store front's own statistics table.
    for (uint32_t i = 0; i < kPlatformStatCount; ++i) service_->setIntStat(i, platformValues_[i]);
    service_->store();
  }
  return bytes;
}

bool StatsStore::readStatistics(std::span<const uint8_t> bytes) {
  return readStatsBytes(bytes, record_);
}

void StatsStore::clearStatistics() {
  record_ = StatsRecord{};
  platformValues_ = {};
}

StatsStore& statsStore() {
  static StatsStore store;
  return store;
}
