#include "world/world_launch_services.h"

#include "world/current_world.h"
#include "world/cells/visible_cell_counts.h"

void WorldLaunchServices::clearCurrentWorld() { setCurrentWorld(nullptr); }

void WorldLaunchServices::updateVisibleCellCounts() { ::updateVisibleCellCounts(); }
