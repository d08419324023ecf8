#pragma once
// The seam through which world code asks for a cell to be drawn again after it changed a cell's
// look (wire sides, for one). The world view implements it and registers it while it exists; the
// null form does nothing, so headless worlds, tools and tests run without a view. Main thread only.

#include <cstdint>

#include "engine/base/seam.h"

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

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<CellRefresh, NullCellRefresh>& cellRefreshSeam();
CellRefresh& cellRefresh();
void setCellRefresh(CellRefresh* refresh);
