#pragma once
// The craft book's chemistry pages: the potions of one category (or all of them), each with its
// potion's icon, name and what it does. The book's search, shown on these pages too, looks through
// every potion's name and description instead.

#include <cstddef>
#include <string>
#include <vector>

#include "ui/widgets/menu_list.h"

class BookChemistry {
 public:
  static constexpr const char* kRow = "Chemistry";
  static constexpr const char* kCategoryRow = "Category: ";

  // The page's rows for the category chosen (or, with a search text, the potions it finds);
  // `changed` redraws the book after the category steps.
  void fill(const std::string& search, std::string& title, std::vector<std::string>& lines,
            std::vector<MenuList::Row>& rows, const std::function<void()>& changed);
  size_t category() const { return category_; }

 private:
  size_t category_ = 0;  // 0 every potion, then the four categories
};
