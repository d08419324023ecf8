#include "world/world_launch_services.h"

#include "world/current_world.h"
#include "world/cells/visible_cell_counts.h"
#include "world/entities/mob_spawner.h"
#include "world/world.h"

void WorldLaunchServices::clearCurrentWorld() { setCurrentWorld(nullptr); }

// The running world's spawner keeps its ranges to what the screen shows.
void WorldLaunchServices::updateVisibleCellCounts() {
  ::updateVisibleCellCounts();
  if (World* world = currentWorld()) world->mobSpawner().followVisibleCells();
}
