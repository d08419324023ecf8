#pragma once
// The world's mob spawner and pet path finder are the entities' (built and destroyed with the
// world); the world model only owns their places. Their steps run through the entities' seams.

class World;
class WorldMap;

class MobSpawner {
 public:
  explicit MobSpawner(World& world) : world_(&world) {}
  World* world() const { return world_; }

 private:
  World* world_;
};

// Holds the map its paths are planned on.
class CellPathFinder {
 public:
  void setMap(WorldMap* map) { map_ = map; }
  WorldMap* map() const { return map_; }

 private:
  WorldMap* map_ = nullptr;
};
