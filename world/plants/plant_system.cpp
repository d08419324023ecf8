#include "world/plants/plant_system.h"

#include "world/map/world_map.h"

PlantSystem::PlantSystem(WorldMap& map) : map_(map) {}

void PlantSystem::registerPlant(MapBlock& cell, uint16_t gene) { genes_[map_.indexOf(cell)] = gene; }

void PlantSystem::forgetCell(const MapBlock& cell) { genes_.erase(map_.indexOf(cell)); }

std::optional<uint16_t> PlantSystem::geneAt(const MapBlock& cell) const {
  auto found = genes_.find(map_.indexOf(cell));
  if (found == genes_.end()) return std::nullopt;
  return found->second;
}
