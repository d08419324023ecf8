#pragma once
// The world's plant registry, as far as placing and breaking blocks reach it: a planted cell is
// registered with its 16-bit gene word and forgotten when its block goes. Growth, fruit and the
// plant table belong to the plant simulation. Main thread only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

class MapBlock;
class WorldMap;

class PlantSystem {
 public:
  explicit PlantSystem(WorldMap& map);

  void registerPlant(MapBlock& cell, uint16_t gene);
  void forgetCell(const MapBlock& cell);
  std::optional<uint16_t> geneAt(const MapBlock& cell) const;

 private:
  WorldMap& map_;
  std::unordered_map<size_t, uint16_t> genes_;
};
