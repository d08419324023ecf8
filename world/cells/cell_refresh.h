#pragma once
// What world code asks of the view when it changed a cell's look (wire sides, for one) or applied
// any edit: that the cell be drawn again. A world reaches it through its context (`WorldContext`);
// the application binds the world view's, and the null form does nothing, so headless worlds,
// tools and tests run without a view. Main thread only.

#include <cstdint>

class MapBlock;

class CellRefresh {
 public:
  virtual ~CellRefresh() = default;
  // Rebuilds the drawn tile of the cell when it lies inside the drawn window.
  virtual void refreshCell(const MapBlock& cell) = 0;
  // The notice the world gives after every applied cell change, whoever made it: the cell is drawn
  // again, with the neighbours, shadow edges and light its refresh bits name (`refresh_bit`).
  virtual void cellChanged(const MapBlock& cell, uint8_t bits) = 0;
};

class NullCellRefresh final : public CellRefresh {
 public:
  void refreshCell(const MapBlock&) override {}
  void cellChanged(const MapBlock&, uint8_t) override {}
};
