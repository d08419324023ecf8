#include "game/crafting/craft_grid_match.h"

#include <array>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/crafting/item_equivalents.h"
#include "game/crafting/recipes.h"
#include "game/inventory/inventory.h"

namespace {

constexpr int kSide = 3;
constexpr int kCells = kSide * kSide;
using Grid = std::array<uint16_t, kCells>;

struct Laid {
  Grid ids{};
  int filled = 0;
  uint16_t first = ITEM_NONE;
};

Laid readGrid(const Inventory& inventory) {
  Laid laid;
  for (int cell = 0; cell < kCells; ++cell) {
    const Item* item = inventory.slotItem(craftGridSlot(cell));
    laid.ids[cell] = item != nullptr ? item->id : ITEM_NONE;
    if (laid.ids[cell] == ITEM_NONE) continue;
    if (laid.filled++ == 0) laid.first = laid.ids[cell];
  }
  return laid;
}

// The layouts' tests all use the recipe's equivalents flag: the book lists a recipe as
// craftable by counting with it, so the grid must accept what the book counted.
struct Matcher {
  const Laid& laid;
  const CraftDef& recipe;

  bool is(uint16_t have, uint16_t wanted) const { return itemMatches(have, wanted, recipe.equivalentsAllowed()); }
  bool at(int row, int column, uint16_t wanted) const { return is(laid.ids[kSide * row + column], wanted); }

  bool anyCell(uint16_t wanted, uint16_t unlike, bool skipUnlike) const {
    for (uint16_t id : laid.ids) {
      if (skipUnlike && is(id, unlike)) continue;
      if (is(id, wanted)) return true;
    }
    return false;
  }
  bool square(uint16_t wanted) const {
    for (int r = 0; r + 1 < kSide; ++r) {
      for (int c = 0; c + 1 < kSide; ++c) {
        if (at(r, c, wanted) && at(r, c + 1, wanted) && at(r + 1, c, wanted) && at(r + 1, c + 1, wanted)) return true;
      }
    }
    return false;
  }
  bool pair(uint16_t left, uint16_t right) const {
    for (int r = 0; r < kSide; ++r) {
      for (int c = 0; c + 1 < kSide; ++c) {
        if (at(r, c, left) && at(r, c + 1, right)) return true;
      }
    }
    return false;
  }
  bool wholeGrid() const {
    for (int cell = 0; cell < kCells; ++cell) {
      if (!is(laid.ids[cell], recipe.ingredient(cell))) return false;
    }
    return true;
  }

  bool matches() const {
    const uint16_t a = recipe.ingredient(0);
    const uint16_t b = recipe.ingredient(1);
    switch (recipe.shape()) {
      case 0: return is(laid.first, a);
      case 1: return anyCell(a, 0, false) && anyCell(b, a, true);
      case 2: return is(laid.first, a) && square(a);
      case 3: return wholeGrid();
      case 4: return laid.first == a && pair(a, b);
      case 5: return pair(a, a) && anyCell(b, 0, false);
      default: return false;
    }
  }
};

bool outputTaken(const Inventory& inventory, uint16_t result) {
  const Item* output = inventory.slotItem({SlotKind::Single, 0, 0});
  if (output == nullptr || output->id != result) return false;
  const ItemDef* def = output->definition();
  return def == nullptr || def->record.freeStack() == 0;
}

}  // namespace

SlotRef craftGridSlot(int cell) {
  return {SlotKind::CraftGrid, static_cast<uint8_t>(cell % kSide), static_cast<uint8_t>(cell / kSide)};
}

CraftGridMatch matchCraftGrid(const Inventory& inventory, uint8_t stationInUse) {
  const Laid laid = readGrid(inventory);
  if (laid.filled == 0) return {};
  // The first row whose cell count and layout fit decides, wherever the player stands: a layout
  // that fits a recipe of another station names that station rather than make a later recipe, so
  // one layout always means one thing. Where two recipes share a layout, the table's order says
  // which (the workbench's square comes before the carpentry bench's shelves).
  const auto& rows = contentTables().craftDefs;
  for (size_t row = 0; row < rows.size(); ++row) {
    const CraftDef& recipe = rows[row];
    if (recipe.cellCount() != laid.filled || !Matcher{laid, recipe}.matches()) continue;
    const int index = static_cast<int>(row);
    if (!stationServes(stationInUse, recipe.station())) return {GridMatch::WrongStation, index, recipe.station()};
    if (outputTaken(inventory, recipe.result())) return {GridMatch::OutputTaken, index, 0};
    return {GridMatch::Ready, index, 0};
  }
  return {GridMatch::NoRecipe, -1, 0};
}
