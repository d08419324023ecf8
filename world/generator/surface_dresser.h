#pragma once
// The last content stages: biomes spread over stretches of columns, changing the surface blocks
// and the ground below them by a decaying flood; then the surface dressing builds the arrival
// structure of a travel, puts surface blocks and patterns on the top block of every column and
// grows the trees seeded by the patterns.
//
// Threads: the generating thread only (see world_generator.h).

#include <cstdint>
#include <vector>

#include "world/generator/spread_stack.h"

class WorldGenerator;
struct BiomeRule;
struct WorldParams;

// The block that frames a portal in the arrival structure.
constexpr uint16_t kArrivalPortalBlock = 44;
// The planet whose worlds never get an arrival structure.
constexpr uint32_t kHomePlanet = 1;

// The rule mask test of the biome and surface pattern rules against the world's flags byte and the
// generation flag word.
bool ruleMaskPasses(uint32_t mask, uint8_t worldFlags, uint32_t flagWord);

class BiomeSpreader {
 public:
  explicit BiomeSpreader(WorldGenerator& generator);
  void generateBiomes(const WorldParams& params, uint32_t flagWord);
  // Spreads the rule from (x, y) with strength 1, depth first, with an explicit stack.
  void spread(const BiomeRule& rule, int32_t x, int32_t y);
  bool marked(int32_t x, int32_t y) const;

 private:
  void changeCell(const BiomeRule& rule, int32_t x, int32_t y);

  WorldGenerator& g_;
  std::vector<uint8_t> marks_;
  std::vector<SpreadFrame> stack_;
};

void generateBiomes(WorldGenerator& generator, const WorldParams& params, uint32_t flagWord);
void dressSurface(WorldGenerator& generator, const WorldParams& params, uint32_t flagWord);
// Whether a travel from another planet pending for this world puts an arrival structure at the spawn.
bool arrivalStructureStands(const WorldGenerator& generator, const WorldParams& params);
// Builds the arrival structure around the spawn cell when a travel from another planet is pending;
// whether it did.
bool buildArrivalStructure(WorldGenerator& generator, const WorldParams& params);
void growTrees(WorldGenerator& generator, const WorldParams& params);
