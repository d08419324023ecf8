#include "ui/views/achievements_view.h"

#include "game/stats/achievement_table.h"
#include "game/stats/stats_store.h"

void AchievementsView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = "Achievements";
  size_t unlocked = 0;
  const auto& table = achievementRows();
  for (size_t i = 0; i < table.size(); ++i) {
    const bool done = session().statistics().isUnlocked(i);
    unlocked += done;
    rows.push_back({std::string(done ? "[x] " : "[ ] ") + table[i].name + " - " + table[i].description, nullptr});
  }
  lines.push_back(std::to_string(unlocked) + " of " + std::to_string(table.size()) + " unlocked");
}
