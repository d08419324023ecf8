#pragma once
// The craft book's search through its recipes. A recipe page lists one recipe a line, the result's
// name, a colon and the counted ingredients ("Wooden Pickaxe: 3 Oak Planks, 2 Stick"); the search
// finds the lines whose result or ingredients hold the typed text, each with the entry and page
// that show it, so a player looking for a pickaxe finds where it is made.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct BookEntry;
class SearchField;

struct FoundRecipe {
  size_t entry = 0;
  size_t page = 0;
  std::string line;  // the recipe as its page writes it
};

// Whether a page's line is a recipe: a name, a colon, then a count.
bool isRecipeLine(std::string_view line);

// The recipes of the entries in [begin, end) that the search matches, in the book's order. An empty
// search finds none: the list of entries is the book's own.
std::vector<FoundRecipe> findRecipes(const BookEntry* begin, const BookEntry* end, const SearchField& search);
