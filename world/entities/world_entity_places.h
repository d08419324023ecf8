#pragma once
// The world's mob spawner and pet path finder are the entities' (built and destroyed with the
// world); the world model only owns their places. Their steps run through the entities' seams.

#include <array>
#include <cstdint>

class World;
class WorldMap;

// Also keeps the live count of every population group (0-5; 5 is pets): a mob made by the rules
// adds to its group, its removal takes it away again.
class MobSpawner {
 public:
  static constexpr uint8_t kGroups = 6;

  explicit MobSpawner(World& world) : world_(&world) {}
  World* world() const { return world_; }

  uint64_t groupCount(uint8_t group) const { return group < kGroups ? counts_[group] : 0; }
  void addToGroup(uint8_t group) {
    if (group < kGroups) ++counts_[group];
  }
  // Never below zero: a count recounted after a mass removal may already be lower.
  void removeFromGroup(uint8_t group) {
    if (group < kGroups && counts_[group] > 0) --counts_[group];
  }
  void clearCounts() { counts_.fill(0); }

 private:
  World* world_;
  std::array<uint64_t, kGroups> counts_{};
};

// Holds the map its paths are planned on.
class CellPathFinder {
 public:
  void setMap(WorldMap* map) { map_ = map; }
  WorldMap* map() const { return map_; }

 private:
  WorldMap* map_ = nullptr;
};
