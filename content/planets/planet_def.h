#pragma once
// Planet definitions: one `PlanetDef` per planet a world can be generated on, with its rule lists.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/planets/planet_rules.h"

struct PlanetParameters {
  uint32_t surfaceAmplitude = 14;  // margin rows
  uint32_t runCount = 0;
  uint32_t runMaxLength = 0;
  int32_t liquidLevel = -1;  // -1: no sea
  uint8_t liquidKind = 1;
  uint8_t covered = 1;  // cells more than 3 rows below the surface count as covered
};

class PlanetDef {
 public:
  PlanetDef(std::string name, uint32_t id, uint8_t flag);

  std::string name;
  uint32_t id = 0;    // one bit per planet
  uint8_t flag = 0;   // the map has a surface line
  PlanetParameters parameters;

  std::vector<VeinRule> veinRules;
  std::vector<CaveDressing> caveDressings;
  std::vector<BiomeRule> biomeRules;
  std::vector<CaveRule> caveRules;
  std::vector<WormRule> wormRules;
  std::vector<BlockRule> blockRules;
  std::vector<SurfaceObjectRule> surfaceObjectRules;
  std::vector<TerrainBlock> terrainBlocks;
  std::vector<PoolRule> poolRules;
  std::vector<SurfaceRule> surfaceRules;
  std::vector<SurfacePatternRule> surfacePatternRules;
};

using PlanetList = std::vector<std::unique_ptr<PlanetDef>>;

// `planetDefs`: the process-wide planets in file order.
PlanetList& planetDefs();
void installPlanetDefs(PlanetList planets);
void resetPlanetDefs();
