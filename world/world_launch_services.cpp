#include "world/world_launch_services.h"

#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "world/current_world.h"
#include "world/cells/visible_cell_counts.h"
#include "world/entities/mob_spawner.h"
#include "world/world.h"

void WorldLaunchServices::clearCurrentWorld() { setCurrentWorld(nullptr); }

// The running world's spawner keeps its ranges to what the screen shows.
void WorldLaunchServices::updateVisibleCellCounts() {
  const ScreenLayout& layout = screenLayout();
  storeVisibleCellCounts(visibleCellCountsFor(layout.longSide, layout.shortSide,
                                              static_cast<int>(kel::options().viewportScale)));
  if (World* world = currentWorld()) world->mobSpawner().followVisibleCells();
}
