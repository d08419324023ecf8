#include "world/placement/placement_support.h"

#include "world/cells/cell_refresh.h"
#include "world/world.h"

namespace placement {

void redraw(World& world, const MapBlock& cell) { world.refresh().refreshCell(cell); }

}  // namespace placement
