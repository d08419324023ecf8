#include "ui/views/book_chemistry.h"

#include <iterator>

#include "content/potions/potion_table.h"

namespace {

// What `potionsOfCategory` takes for each choice, and what the row shows.
constexpr const char* kFilters[] = {"", "offensive", "defensive", "utility", "special"};
constexpr const char* kCategoryNames[] = {"All", "Offensive", "Defensive", "Utility", "Special"};
static_assert(std::size(kFilters) == std::size(kCategoryNames));

std::string potionName(const PotionDef& def) {
  const std::string name = def.name;
  return def.nameStyle == POTION_NAME_SUFFIX ? name + " Potion" : "Potion of " + name;
}

}  // namespace

void BookChemistry::fill(const std::string& search, std::string& title, std::vector<std::string>& lines,
                         std::vector<MenuList::Row>& rows, const std::function<void()>& changed) {
  title = kRow;
  // A search looks through every category, so the category has no say while there is one.
  if (search.empty()) {
    rows.push_back(MenuList::cycling(std::string(kCategoryRow) + kCategoryNames[category_], [this, changed](int steps) {
      category_ = MenuList::stepped(category_, steps, std::size(kFilters));
      changed();
    }));
  }
  const std::vector<const PotionDef*> potions = potionsOfCategory(search.empty() ? kFilters[category_] : search);
  lines.push_back(std::to_string(potions.size()) + (search.empty() ? " potions" : " potions found"));
  for (const PotionDef* def : potions) {
    std::string text = potionName(*def);
    if (def->description != nullptr && *def->description != '\0') text.append(" - ").append(def->description);
    rows.push_back(MenuList::withItemIcon(std::move(text), def->itemId));
  }
}
