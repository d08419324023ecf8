#include "world/cells/cell_refresh.h"

namespace {
NullCellRefresh nullRefresh;
CellRefresh* registered = &nullRefresh;
}  // namespace

CellRefresh& cellRefresh() { return *registered; }

void setCellRefresh(CellRefresh* refresh) { registered = refresh != nullptr ? refresh : &nullRefresh; }
