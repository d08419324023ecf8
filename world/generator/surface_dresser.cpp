#include "world/generator/surface_dresser.h"

#include <cstdlib>
#include <utility>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/decoration_patterns.h"
#include "world/generator/generator_random.h"
#include "content/items/block_rules.h"
#include "world/generator/spread_stack.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"

namespace {

constexpr uint32_t kMaskFlagBits = 0x7FFFFFF0u;
constexpr uint32_t kMaskInverted = 0x80000000u;


void replaceLayer(const BlockPropsTable& props, MapBlock& c, const BlockReplacement& r, uint8_t side) {
  if (r.variant == -1) {
    c.setLayerRandomVariant(props, r.block, side);
  } else if (side == MapBlock::kFront) {
    c.setFront(r.block, static_cast<uint8_t>(r.variant & 7), 0);
  } else {
    c.setLayer(r.block, static_cast<uint8_t>(r.variant & 7), side);
  }
}

void dressColumn(WorldGenerator& g, int32_t x, const WorldParams& params, uint32_t flagWord) {
  const int32_t t = g.map.surfaceLine(x);
  const MapBlock* top = g.map.cellAt(x, t);
  MapBlock* ground = g.map.cellAt(x, t - 1);
  if (top == nullptr || ground == nullptr || top->holdsOrSourcesLiquid()) return;
  for (const SurfaceRule& rule : g.planet.surfaceRules) {
    if (rule.blocks.empty() || !itemMatchesFilter(ground->frontId(), rule.filter) || !worldgen::chance(rule.chance)) continue;
    const uint16_t block = rule.blocks[static_cast<size_t>(worldgen::pick(static_cast<int>(rule.blocks.size())))];
    g.map.addDecoAt(block, randomVariantFor(g.props, block), x, t - 1);
  }
  for (const SurfacePatternRule& rule : g.planet.surfacePatternRules) {
    bool matched = false;
    for (uint64_t filter : rule.filters) matched = matched || itemMatchesFilter(ground->frontId(), filter);
    if (!matched || !ruleMaskPasses(rule.mask, params.flags, flagWord)) continue;
    for (const PatternGroup& group : rule.groups) {
      if (group.patterns.empty() || !worldgen::chance(group.chance)) continue;
      const auto& pattern = group.patterns[static_cast<size_t>(worldgen::pick(static_cast<int>(group.patterns.size())))];
      applyPattern(g, x, t, pattern, 0, GrowthDirection::Up);
      break;
    }
  }
}

}  // namespace

bool ruleMaskPasses(uint32_t mask, uint8_t worldFlags, uint32_t flagWord) {
  if ((mask & worldFlags) != worldFlags) return false;
  const uint32_t m = mask & kMaskFlagBits;
  if ((mask & kMaskInverted) != 0) return m != 0 && (m & flagWord) == 0;
  return m == 0 || (m & flagWord) != 0;
}

// ---- Biomes ----

BiomeSpreader::BiomeSpreader(WorldGenerator& generator)
    : g_(generator), marks_(static_cast<size_t>(generator.width) * static_cast<size_t>(generator.height), 0) {}

bool BiomeSpreader::marked(int32_t x, int32_t y) const { return marks_[g_.map.index(g_.map.wrapX(x), y)] != 0; }

void BiomeSpreader::changeCell(const BiomeRule& rule, int32_t x, int32_t y) {
  MapBlock& c = g_.map.cell(x, y);
  for (const ChanceBlock& layer : rule.layers) {
    if (c.frontId() != 0 && worldgen::chance(layer.chance) && itemMatchesFilter(c.frontId(), layer.filter)) {
      if (layer.block != 0 && g_.props[layer.block].transparency == 0) {
        c.clearSideDecos(MapBlock::kFront);
        c.setFrontRandomVariant(g_.props, layer.block);
      } else if (layer.block == 0) {
        c.setFrontRandomVariant(g_.props, 0);
      } else {
        c.addDecoRandomVariant(g_.props, layer.block, MapBlock::kFront);
      }
    }
    for (const BlockReplacement& r : rule.replacements) {
      if (itemMatchesFilter(c.frontId(), r.filter)) replaceLayer(g_.props, c, r, MapBlock::kFront);
      if (itemMatchesFilter(c.backId(), r.filter)) replaceLayer(g_.props, c, r, MapBlock::kBack);
    }
  }
}

void BiomeSpreader::spread(const BiomeRule& rule, int32_t x, int32_t y) {
  if (y < 0 || y >= g_.height) return;
  x = g_.map.wrapX(x);
  marks_[g_.map.index(x, y)] = 1;
  changeCell(rule, x, y);
  spreadDepthFirst(stack_, g_.map, {x, y, 1.0f, 0}, [&](const SpreadFrame& parent, int32_t nx, int32_t ny, float& strength) {
    strength = parent.strength - rule.decay;
    if (marks_[g_.map.index(nx, ny)] != 0 || strength <= 0.0f) return false;
    marks_[g_.map.index(nx, ny)] = 1;
    changeCell(rule, nx, ny);
    return true;
  });
}

void BiomeSpreader::generateBiomes(const WorldParams& params, uint32_t flagWord) {
  const std::vector<BiomeRule>& rules = g_.planet.biomeRules;
  for (int32_t x = 0; x < g_.width;) {
    g_.checkStop();
    const MapBlock* e = g_.map.cellAt(x, g_.map.surfaceLine(x) - 1);
    const BiomeRule* chosen = nullptr;
    if (e != nullptr && e->frontId() != 0 && g_.props[e->frontId()].transparency == 0) {
      for (const BiomeRule& rule : rules) {
        if (worldgen::chance(rule.chance) && ruleMaskPasses(rule.mask, params.flags, flagWord)) {
          chosen = &rule;
          break;
        }
      }
    }
    if (chosen == nullptr) {
      ++x;
      continue;
    }
    const int32_t w = worldgen::rangeDraw(chosen->minWidth, chosen->maxWidth);
    for (int32_t column = x; column < x + w && column < g_.width; ++column) {
      spread(*chosen, column, g_.map.surfaceLine(column) - 1);
    }
    x += w + 1;
  }
}

void generateBiomes(WorldGenerator& generator, const WorldParams& params, uint32_t flagWord) {
  BiomeSpreader(generator).generateBiomes(params, flagWord);
}

// ---- Surface dressing ----

bool arrivalStructureStands(const WorldGenerator& g, const WorldParams& params) {
  if (params.mode != 3 || !g.hooks.arrivalOrigin || g.planet.id == kHomePlanet) return false;
  return !rowsForKind(*g.hooks.arrivalOrigin).empty();
}

bool buildArrivalStructure(WorldGenerator& g, const WorldParams& params) {
  if (!arrivalStructureStands(g, params)) return false;
  const std::vector<const PlanetLinkRule*> rows = rowsForKind(*g.hooks.arrivalOrigin);
  const int32_t sx = g.spawnColumn, sy = g.spawnRow;
  const struct {
    int dx, dy;
    uint16_t block;
  } parts[] = {{0, 0, kArrivalPortalBlock}, {-1, 0, rows.front()->blockB}, {1, 0, rows.front()->blockB},
               {0, 1, rows.front()->blockB}};
  for (const auto& part : parts) {
    g.map.setBlockRandomVariantAt(part.block, sx + part.dx, sy + part.dy, 0);
    if (MapBlock* c = g.map.cellAt(sx + part.dx, sy + part.dy)) {
      for (MapDeco& d : c->decos) {
        if (map_deco::side(d) == MapBlock::kFront) map_deco::clear(d);
      }
    }
  }
  if (g.hooks.recordArrival) g.hooks.recordArrival(g.spawnColumn, g.spawnRow);
  return true;
}

void growTrees(WorldGenerator& g, const WorldParams& params) {
  if (params.mode == 2) return;
  std::vector<TreeSeed>& seeds = g.treeSeeds;
  if (seeds.size() >= 2) {
    for (size_t i = seeds.size() - 1; i > 0; --i) {
      std::swap(seeds[i], seeds[static_cast<size_t>(worldgen::pick(static_cast<int>(i + 1)))]);
    }
  }
  g.counts.treeSeeds = static_cast<uint32_t>(seeds.size());
  for (const TreeSeed& seed : seeds) {
    g.checkStop();
    // A tree's root and trunk would take the ground the player is set down on.
    const bool atSpawn = std::abs(seed.x - g.spawnColumn) <= 1 ||
                         std::abs(seed.x - g.spawnColumn) >= g.width - 1;
    if (g.hooks.growTree && !atSpawn) g.hooks.growTree(g.map, seed.x, seed.y, seed.kind);
    MapBlock& c = g.map.cell(seed.x, seed.y);
    if (c.frontId() == kTreeSeedBlock) c.setFront(0, 0, 0);
  }
}

void dressSurface(WorldGenerator& g, const WorldParams& params, uint32_t flagWord) {
  const bool arrival = g.hooks.arrivalOrigin.has_value();
  buildArrivalStructure(g, params);
  if (params.mode == 2) return;
  const int32_t sx = g.spawnColumn;
  for (int32_t x = 0; x < g.width; ++x) {
    if (arrival && (x == g.map.wrapX(sx - 1) || x == sx || x == g.map.wrapX(sx + 1))) continue;
    g.checkStop();
    dressColumn(g, x, params, flagWord);
  }
  growTrees(g, params);
}
