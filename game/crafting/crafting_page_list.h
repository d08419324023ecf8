#pragma once
// The recipes the inventory's crafting page offers. By hand: the hand recipes. At a station (the
// inventory's station): the station's recipes, then the hand recipes, which need no station and
// so can be made there too. Each part offers the recipes whose craft book entry the character
// knows, and those it does not know yet but can make now: laying out what a recipe takes is how
// it is found, and crafting it learns the entry.
//
// The rows hold their order while the page stays at one station: a craft changes what can be made
// but moves no row, so the row under the pointer is still the recipe it was, and recipes that
// become offered join at the end. Listed afresh (the page shown anew) they stand in the recipe
// table's order, which what the player carries does not change. Main thread only.

#include <cstdint>
#include <vector>

class Inventory;
class RecipeKnowledge;

class CraftingPageList {
 public:
  // Forgets the rows: the next update lists afresh (the page is shown anew).
  void clear() { rows_.clear(); }
  // Lists afresh when empty or made for another station: each part in the recipe table's order,
  // whatever the player can make. Otherwise keeps the rows and adds the newly offered ones.
  void update(const Inventory& inventory, const RecipeKnowledge& knowledge);

  // Row indexes of the recipe table.
  const std::vector<uint16_t>& rows() const { return rows_; }
  // The station the rows were listed for (0 by hand).
  uint8_t station() const { return station_; }

 private:
  std::vector<uint16_t> rows_;
  uint8_t station_ = 0;
};
