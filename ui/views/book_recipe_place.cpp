#include "ui/views/book_recipe_place.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "game/crafting/craft_book.h"

namespace {

// A line tells of the result when it starts with its name followed by its count or the colon.
bool lineTellsOf(std::string_view line, const std::string& name) {
  if (name.empty() || line.substr(0, name.size()) != name) return false;
  const std::string_view rest = line.substr(name.size());
  return rest.starts_with(":") || (rest.size() > 2 && rest.starts_with(" x") && rest[2] >= '0' && rest[2] <= '9');
}

bool pageTellsOf(const std::string& text, const std::string& name) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    if (lineTellsOf(std::string_view(text).substr(start, end - start), name)) return true;
    start = end + 1;
  }
  return false;
}

BookPlace placeTellingOf(const std::string& name, const BookEntry* begin, const BookEntry* end) {
  for (const BookEntry* entry = begin; entry != end; ++entry) {
    for (size_t page = 0; page < entry->pages.size(); ++page) {
      if (pageTellsOf(entry->pages[page].text, name)) return {static_cast<int>(entry - begin), page};
    }
  }
  return {};
}

}  // namespace

BookPlace bookPlaceOfCraftEntry(uint16_t craftEntry, const BookEntry* begin, const BookEntry* end) {
  if (begin == nullptr || end == nullptr || end <= begin) return {};
  for (const CraftDef& recipe : contentTables().craftDefs) {
    if (recipe.bookEntry() != craftEntry) continue;
    const BookPlace place = placeTellingOf(languageTexts().treasureName(recipe.result()), begin, end);
    if (place.entry >= 0) return place;
  }
  const CraftBookEntry* row = craftBookEntry(craftEntry);
  if (row == nullptr) return {};
  for (const BookEntry* entry = begin; entry != end; ++entry) {
    if (namesMatch(entry->name, row->name)) return {static_cast<int>(entry - begin), 0};
  }
  return {};
}
