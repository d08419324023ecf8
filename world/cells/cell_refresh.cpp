#include "world/cells/cell_refresh.h"

engine::Seam<CellRefresh, NullCellRefresh>& cellRefreshSeam() {
  static engine::Seam<CellRefresh, NullCellRefresh> seam;
  return seam;
}

CellRefresh& cellRefresh() { return cellRefreshSeam().get(); }

void setCellRefresh(CellRefresh* refresh) { cellRefreshSeam().set(refresh); }
