#include "world/portals/portal_registry.h"

#include "world/map/world_map.h"

void PortalRegistry::noteFrameAt(const MapBlock& cell) { frames_.insert(map_.indexOf(cell)); }

void PortalRegistry::removeFrameAt(const MapBlock& cell) { frames_.erase(map_.indexOf(cell)); }

bool PortalRegistry::hasFrameAt(const MapBlock& cell) const { return frames_.count(map_.indexOf(cell)) != 0; }
