#pragma once
// The generation rules of a planet, one struct per rule list, named by the role the world
// generator gives them. The blob layout of each (which list, which alignment) is in
// content/format/planet_blob.h.

#include <cstdint>
#include <vector>

// Filter word of a default record: "any non-empty block".
constexpr uint64_t kAnyBlockFilter = 0x100000000ull;

struct TerrainBlock {
  uint16_t block = 0;
  uint16_t weight = 0;
};

struct VeinPlacement {
  uint64_t filter = kAnyBlockFilter;
  float lo = 0, hi = 0, density = 0;
  uint16_t minSize = 0, maxSize = 0;
};

struct VeinRule {
  uint16_t block = 0;
  float factor = 0;
  std::vector<VeinPlacement> placements;
};

struct CaveRule {
  float lo = 0, hi = 0, density = 0, dropChance = 0;
  uint32_t size = 0;
};

struct WormRule {
  float step = 0, radius = 0, density = 0, lo = 0, hi = 0;
  uint16_t minLength = 0, maxLength = 0, minLegSteps = 0, maxLegSteps = 0;
  int16_t minTurn = 0, maxTurn = 0;
};

struct BlockPlacement {
  float density = 0, lo = 0, hi = 0;
  uint8_t layer = 0;  // 0 front, 1 back
};

struct BlockRule {
  uint64_t filter = kAnyBlockFilter;
  uint16_t block = 0;
  std::vector<BlockPlacement> placements;
};

struct SurfaceObjectRule {
  uint64_t filter = kAnyBlockFilter;
  uint16_t block = 0;
  float lo = 0, hi = 0, density = 0;
};

// A block change: a negative variant means a random one.
struct BlockReplacement {
  uint64_t filter = kAnyBlockFilter;
  uint16_t block = 0;
  int8_t variant = -1;
};

// A block placed by chance where the filter matches (biome layers, fill and top rules).
struct ChanceBlock {
  uint64_t filter = kAnyBlockFilter;
  float chance = 0;
  uint16_t block = 0;
};

struct PatternEntry {
  uint16_t block = 0;
  uint8_t minCount = 0, maxCount = 0;
};

struct DecorationPattern {
  std::vector<PatternEntry> entries;
  uint8_t fixedVariant = 0;
  uint8_t mirror = 0;
  uint8_t kind = 0;
  uint8_t placement = 0;
};

struct PatternGroup {
  std::vector<DecorationPattern> patterns;
  float chance = 0;
};

struct BiomeRule {
  std::vector<ChanceBlock> layers;
  std::vector<BlockReplacement> replacements;
  float chance = 0, decay = 0;
  uint16_t minWidth = 0, maxWidth = 0;
  uint32_t mask = 0;
};

struct CaveDressing {
  uint64_t filter = kAnyBlockFilter;  // carried with the rule; the dressing stages do not test it
  std::vector<BlockReplacement> replacements;
  float spreadChance = 0;
  uint8_t decideOnce = 0, decaying = 0, backLayer = 0;
  std::vector<PatternGroup> decorationGroups;
  std::vector<ChanceBlock> fillRules;
  std::vector<ChanceBlock> topRules;
  float density = 0;
  float lo = 0, hi = 0;
  int32_t minRegion = -1, maxRegion = -1;
};

struct PoolRule {
  float lo = 0, hi = 0, density = 0;
  uint16_t minRegion = 0, maxRegion = 0, minLevel = 0, maxLevel = 0;
  uint8_t liquidKind = 1;  // 1 water, 2 lava, 3 acid
};

struct SurfaceRule {
  uint64_t filter = kAnyBlockFilter;
  float chance = 0;
  std::vector<uint16_t> blocks;
};

struct SurfacePatternRule {
  std::vector<uint64_t> filters;
  std::vector<PatternGroup> groups;
  uint32_t mask = 0;
};
