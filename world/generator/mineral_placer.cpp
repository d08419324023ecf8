#include "world/generator/mineral_placer.h"

#include <cmath>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/generator_random.h"
#include "content/items/block_rules.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"

namespace {

// The chance that a full-block vein also lays its block behind: 1/3 in single precision.
constexpr float kVeinBackChance = 1.0f / 3.0f;

bool hasFrontDecoId(const MapBlock& cell) { return cell.hasAnyDeco(MapBlock::kFront); }

bool canHoldInLiquid(const BlockProps& block, const MapBlock& cell) {
  switch (cell.liquidKind()) {
    case LiquidKind::Water: return !block.has(block_flag::kNotInWater);
    case LiquidKind::Lava: return !block.has(block_flag::kNotInLava);
    case LiquidKind::Acid: return !block.has(block_flag::kNotInAcid);
    case LiquidKind::None: return true;
  }
  return true;
}

void placeVeinCell(WorldGenerator& g, MapBlock& c, uint16_t block, uint8_t veinClass) {
  switch (veinClass) {
    case 0:
      c.setLayerRandomVariant(g.props, block, MapBlock::kFront);
      if (static_cast<float>(worldgen::draw()) / 32768.0f < kVeinBackChance) {
        c.setLayerRandomVariant(g.props, block, MapBlock::kBack);
      }
      break;
    case 2:
      c.addDecoRandomVariant(g.props, block, MapBlock::kFront);
      if (static_cast<float>(worldgen::draw()) / 32768.0f < kVeinBackChance) {
        c.addDecoRandomVariant(g.props, block, MapBlock::kBack);
      }
      break;
    case 3: c.addDecoRandomVariant(g.props, block, MapBlock::kFront); break;
    default: break;  // an air-like vein lays nothing
  }
}

bool surfaceObjectFits(WorldGenerator& g, const MapBlock& c, const BlockProps& block, uint64_t filter) {
  if (c.frontId() != 0) return false;
  // A full block in a pool would shut the liquid out of its cell; the pool keeps the cell.
  if (block.opaque() && c.hasLiquidLevel()) return false;
  const MapBlock* below = c.neighbourDown(g.map);
  if (below == nullptr) return false;
  const BlockProps& support = g.props[below->frontId()];
  if (support.transparency == 1 || support.has(block_flag::kNoCeilingDecos)) return false;
  if (!itemMatchesFilter(below->frontId(), filter)) return false;
  bool open = false;
  for (const MapBlock* n : {c.neighbourUp(g.map), c.neighbourLeft(g.map), c.neighbourRight(g.map)}) {
    open = open || (n != nullptr && n->frontId() == 0);
  }
  return open && canHoldInLiquid(block, c);
}

}  // namespace

int growVein(WorldGenerator& g, uint16_t block, int32_t x, int32_t y, const VeinPlacement& placement) {
  int size = worldgen::rangeDraw(placement.minSize, placement.maxSize);
  const uint8_t veinClass = g.props[block].transparency;
  g.frontier.clear();
  g.frontier.push_back({x, y});
  int placed = 0;
  while (size > 0 && !g.frontier.empty()) {
    const size_t at = static_cast<size_t>(worldgen::pick(static_cast<int>(g.frontier.size())));
    const GridPoint p = g.frontier[at];
    placeVeinCell(g, g.map.cell(p.x, p.y), block, veinClass);
    ++placed;
    g.frontier.erase(g.frontier.begin() + static_cast<std::ptrdiff_t>(at));
    --size;
    const GridPoint next[4] = {{p.x - 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}, {p.x + 1, p.y}};
    for (const GridPoint& n : next) {
      if (n.x <= 0 || n.x >= g.width || n.y <= 0 || n.y >= g.height) continue;
      if (veinClass != 0) {
        const MapBlock& nc = g.map.cell(n.x, n.y);
        if (hasFrontDecoId(nc) || !itemMatchesFilter(nc.frontId(), placement.filter)) continue;
      }
      g.frontier.push_back(n);
    }
  }
  return placed;
}

void spawnVeins(WorldGenerator& g) {
  const float base = g.densityBase();
  for (const VeinRule& rule : g.planet.veinRules) {
    for (const VeinPlacement& placement : rule.placements) {
      const float target = base * rule.factor * placement.density;
      if (target <= 0.0f) continue;
      const RowRange rows = g.depthRange(placement.lo, placement.hi);
      uint64_t budget = WorldGenerator::drawBudget(std::ceil(target));
      for (float grown = 0.0f; grown < target;) {
        if (budget-- == 0) {
          g.gaveUp(RetryKind::Vein);
          break;
        }
        const int32_t x = worldgen::pick(g.width);
        const int32_t y = WorldGenerator::randomRow(rows);
        const MapBlock& c = g.map.cell(x, y);
        if (hasFrontDecoId(c) || !itemMatchesFilter(c.frontId(), placement.filter)) continue;
        g.checkStop();
        growVein(g, rule.block, x, y, placement);
        grown += 1.0f;
      }
    }
  }
}

void spawnScatteredBlocks(WorldGenerator& g) {
  const float base = g.densityBase();
  for (const BlockRule& rule : g.planet.blockRules) {
    for (const BlockPlacement& placement : rule.placements) {
      const int count = static_cast<int>(std::lround(base * placement.density));
      const RowRange rows = g.depthRange(placement.lo, placement.hi);
      const uint8_t side = placement.layer == 0 ? MapBlock::kFront : MapBlock::kBack;
      uint64_t budget = WorldGenerator::drawBudget(count);
      for (int set = 0; set < count;) {
        if (budget-- == 0) {
          g.gaveUp(RetryKind::ScatteredBlock);
          break;
        }
        const int32_t x = worldgen::pick(g.width);
        const int32_t y = rows.lo + worldgen::pick(rows.hi - rows.lo + 1);
        MapBlock& c = g.map.cell(x, y);
        if (c.hasAnyDeco(side) || !itemMatchesFilter(block_word::id(c.layerWord(side)), rule.filter)) continue;
        g.checkStop();
        c.setLayerRandomVariant(g.props, rule.block, side);
        ++set;
      }
    }
  }
}

int placeSurfaceObject(WorldGenerator& g, uint16_t block, int count, const RowRange& rows, uint64_t filter) {
  const BlockProps& props = g.props[block];
  const uint16_t companion = itemValueFromTable(block);
  uint64_t budget = WorldGenerator::drawBudget(count);
  int set = 0;
  while (set < count) {
    if (budget-- == 0) {
      g.gaveUp(RetryKind::SurfaceObject);
      break;
    }
    const int32_t x = worldgen::pick(g.width);
    const int32_t y = rows.lo + worldgen::pick(rows.hi - rows.lo + 1);
    MapBlock& c = g.map.cell(x, y);
    if (!surfaceObjectFits(g, c, props, filter)) continue;
    c.setFrontRandomVariant(g.props, block);
    if (companion != 0) c.addDecoRandomVariant(g.props, companion, MapBlock::kFront);
    ++set;
  }
  return set;
}

void spawnSurfaceObjects(WorldGenerator& g) {
  const float base = g.densityBase();
  for (const SurfaceObjectRule& rule : g.planet.surfaceObjectRules) {
    const int count = static_cast<int>(std::lround(base * rule.density));
    placeSurfaceObject(g, rule.block, count, g.depthRange(rule.lo, rule.hi), rule.filter);
  }
}

void spawnLinkBlocks(WorldGenerator& g) {
  const int count = static_cast<int>(static_cast<float>(g.width / 64) * (12.0f * 0.0625f));
  for (const PlanetLinkRule* row : rowsForKind(g.planet.id)) {
    if (row->secondPlanetBit == NO_SECOND_PLANET) continue;
    const std::vector<const PlanetLinkRule*> targetRows = rowsForKind(row->secondPlanetBit);
    if (targetRows.empty()) continue;
    const PlanetLinkRule& target = *targetRows.front();
    // A link block lies in the upper part of the ground: depths 0 to the row's share.
    placeSurfaceObject(g, target.blockA, count, g.depthRange(0.0f, target.share), kLinkBlockFilter);
  }
}
