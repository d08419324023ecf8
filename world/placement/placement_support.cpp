#include "world/placement/placement_support.h"

#include "world/cells/cell_refresh.h"

namespace placement {

void redraw(const MapBlock& cell) { cellRefresh().refreshCell(cell); }

}  // namespace placement
