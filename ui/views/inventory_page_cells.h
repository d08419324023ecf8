#pragma once
// Where the inventory view's pages put the cells of their own areas: the worn items (the
// equipment, the second set and the trinket), the craft grid with its result, and the open
// container. Places are in cells from the first quick cell's centre (columns to the right, rows
// downwards); every area stands right of the backpack and under the quick row, so the backpack and
// the quick row stay beside it on every page, but the catalogue's page of 6 x 6 entries, which
// takes the backpack's place. Each area carries the captions that name its kinds. A container of
// more rows than fit shows a page of them, and the buttons that page through the rest.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/inventory/slot_ref.h"

struct PageCell {
  SlotRef slot;
  float column = 0;
  float row = 0;
};

struct PageCaption {
  std::string text;
  float column = 0;
  float row = 0;
};

// A button that moves the page's container `step` slots on (positive) or back (negative).
struct PageButton {
  int32_t step = 0;
  float column = 0;
  float row = 0;
};

struct PageCells {
  std::vector<PageCell> cells;
  std::vector<PageCaption> captions;
  std::vector<PageButton> buttons;
  // The creative catalogue stands where the backpack would.
  bool hidesBackpack = false;
  // The lowest row the area keeps room for, cells or not: a paged container's short last page
  // keeps a full page's rows, so the cells stand at one height on every page.
  float keptRow = 0;
};

// Trade: the four own offers in one column and the other side's four in the next but one. The cell
// under the craft grid is the grid's result and the ammunition slot at once: it is captioned as the
// ammunition slot for a player who holds a weapon that shoots from it (CraftGridForAmmunition).
enum class PageArea : uint8_t { None, Worn, CraftGrid, Container, Catalogue, Trade, CraftGridForAmmunition };

// The open container: its slots and their kind, and the page of them shown (a chest's scroll offset
// and the rows of cells that fit; 0 rows: all of them).
struct ContainerArea {
  size_t slots = 0;
  SlotKind kind = SlotKind::Chest;
  size_t first = 0;
  size_t rows = 0;
};

// The area's cells. A container shows its slots from `first` on, each cell naming the slot it
// shows; while slots lie before or after them, its caption's row holds a button a page back and
// one a page on, around the page's number, and a page is the rows shown.
PageCells inventoryPageCells(PageArea area, const ContainerArea& container = {});
// How many rows of container cells stand above the row given (at least one).
size_t containerRowsDownTo(float lowestRow);

// The backpack's first row: half a cell under the quick row.
inline constexpr float kBackpackFirstRow = 1.5f;
// The row of the page's lowest cell centre, the backpack's and the rows the area keeps included.
float lowestPageRow(const PageCells& page);
