#include "ui/views/book_recipe_search.h"

#include <cctype>

#include "content/texts/language_texts.h"
#include "ui/widgets/search_field.h"

bool isRecipeLine(std::string_view line) {
  const size_t colon = line.find(": ");
  if (colon == 0 || colon == std::string_view::npos || colon + 2 >= line.size()) return false;
  return std::isdigit(static_cast<unsigned char>(line[colon + 2])) != 0;
}

std::vector<FoundRecipe> findRecipes(const BookEntry* begin, const BookEntry* end, const SearchField& search) {
  std::vector<FoundRecipe> found;
  if (search.text().empty() || begin == nullptr) return found;
  for (const BookEntry* entry = begin; entry < end; ++entry) {
    for (size_t page = 0; page < entry->pages.size(); ++page) {
      std::string_view text = entry->pages[page].text;
      while (!text.empty()) {
        const size_t cut = text.find('\n');
        const std::string_view line = text.substr(0, cut);
        text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
        if (isRecipeLine(line) && search.matches(line)) {
          found.push_back({static_cast<size_t>(entry - begin), page, std::string(line)});
        }
      }
    }
  }
  return found;
}
