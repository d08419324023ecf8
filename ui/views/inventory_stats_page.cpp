#include "ui/views/inventory_stats_page.h"

#include "content/texts/language_texts.h"
#include "game/stats/stats_store.h"

namespace {

constexpr const char* kKindNames[InventoryStatsPage::kKinds] = {"Eaten",  "Crafted", "Encrusted",
                                                                "Used",   "Killed",  "Met"};
// The kinds that count creatures rather than items.
constexpr uint32_t kFirstCreatureKind = 4;

std::string nameOf(uint32_t kind, uint16_t id) {
  const LanguageTexts& texts = languageTexts();
  const std::string& name = kind >= kFirstCreatureKind ? texts.mobName(id) : texts.treasureName(id);
  return name.empty() ? "#" + std::to_string(id) : name;
}

}  // namespace

const char* InventoryStatsPage::kindName(uint32_t kind) { return kind < kKinds ? kKindNames[kind] : ""; }

void InventoryStatsPage::fill(const StatsStore& store, std::vector<std::string>& lines,
                              std::vector<MenuList::Row>& rows, const std::function<void()>& changed) {
  rows.push_back({std::string("Showing: ") + kindName(shown_) + " (choose for the next)", [this, changed] {
                    showNext();
                    changed();
                  }});
  const std::vector<StatEntry> entries = store.statEntriesSortedByCount(shown_, 0);
  if (entries.empty()) lines.push_back("Nothing counted here yet.");
  for (const StatEntry& entry : entries) {
    rows.push_back({nameOf(shown_, entry.id) + ": " + std::to_string(entry.count), nullptr});
  }
}
