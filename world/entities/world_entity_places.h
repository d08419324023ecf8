#pragma once
// The world's mob spawner and pet path finder are the entities' (built and destroyed with the
// world); the world model only owns their places. Their steps run through the entities' seams.

#include "world/entities/mob_spawner.h"

class WorldMap;

// Holds the map its paths are planned on.
class CellPathFinder {
 public:
  void setMap(WorldMap* map) { map_ = map; }
  WorldMap* map() const { return map_; }

 private:
  WorldMap* map_ = nullptr;
};
