#pragma once
// The inventory's statistics page: the per-item and per-creature counts the player's statistics
// keep, one kind of count at a time (`StatsStore::statEntriesSortedByCount`), fewest first as the
// store sorts them. Its first row walks to the next kind. Main thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/widgets/menu_list.h"

class StatsStore;

class InventoryStatsPage {
 public:
  static constexpr uint32_t kKinds = 6;

  // The page's rows from the store; `changed` runs after the first row chose another kind.
  void fill(const StatsStore& store, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows,
            const std::function<void()>& changed);
  uint32_t shown() const { return shown_; }
  void showNext() { shown_ = (shown_ + 1) % kKinds; }
  // The name of a kind of count ("Eaten", "Killed", ...).
  static const char* kindName(uint32_t kind);

 private:
  uint32_t shown_ = 0;
};
