#include "world/generator/generator_masks.h"

#include <algorithm>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/generator_random.h"
#include "world/generator/neighbour_column.h"
#include "world/generator/prefetch_around.h"
#include "world/generator/spread_stack.h"
#include "world/map/world_map.h"

namespace {

constexpr int kSteps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

// Which lists a pattern joins by its placement value: floor, ceiling, right wall, left wall.
bool placedOn(uint8_t placement, int side) {
  switch (side) {
    case 0: return placement == 1 || placement == 3 || placement == 7;
    case 1: return placement == 2 || placement == 3 || placement == 7;
    case 2: return placement == 4 || placement == 6 || placement == 7;
    default: return placement == 5 || placement == 6 || placement == 7;
  }
}

void setLayerBlock(const BlockPropsTable& props, MapBlock& c, uint16_t block, int8_t variant, uint8_t side) {
  if (variant < 0) {
    c.setLayerRandomVariant(props, block, side);
  } else {
    c.setLayer(block, static_cast<uint8_t>(variant), side);
  }
}

}  // namespace

GeneratorMasks::GeneratorMasks(WorldGenerator& generator)
    : g_(generator),
      width_(generator.width),
      height_(generator.height),
      marks_(static_cast<size_t>(generator.width) * static_cast<size_t>(generator.height), 0) {
  region_.resize(kRegionCapacity);
}

// ---- Pockets ----

// The flood's look at its neighbours waits on memory: the cells and marks of a point a few places
// ahead in the region are asked for first (see prefetch_around.h).
inline void GeneratorMasks::prefetchAround(const GridPoint& p) const {
  const RowNeighbours at = rowNeighbours(p.x, p.y, width_, height_);
  prefetchCellsAround(g_.map.cells(), at);
  __builtin_prefetch(marks_.data() + at.left);
  __builtin_prefetch(marks_.data() + at.right);
}

// Without a branch on what each neighbour holds: where the flood meets rock is as good as random,
// and a mispredicted branch there cost more than the rest of the step. Every neighbour is written
// at the list's end and counted only when it joins, which keeps the order the flood reaches them.
int GeneratorMasks::floodFrom(int32_t x, int32_t y) {
  GridPoint* region = region_.data();
  uint8_t* marks = marks_.data();
  const MapBlock* cells = g_.map.cells();
  size_t count = 1;
  marks[index(x, y)] = 1;
  region[0] = {x, y};
  for (size_t i = 0; i < count; ++i) {
    if (i + kFloodLookAhead < count) prefetchAround(region[i + kFloodLookAhead]);
    const GridPoint at = region[i];
    for (const auto& step : kSteps) {
      if (count >= kRegionCapacity) {
        regionSize_ = count;
        return static_cast<int>(count);
      }
      const int32_t ny = at.y + step[1];
      if (ny < 0 || ny >= height_) continue;
      const int32_t nx = neighbourColumn(at.x + step[0], width_);
      const size_t n = index(nx, ny);
      const uint8_t joins = static_cast<uint8_t>((marks[n] == 0) & (cells[n].frontId() == 0));
      marks[n] |= joins;
      region[count] = {nx, ny};
      count += joins;
    }
  }
  regionSize_ = count;
  return static_cast<int>(count);
}

bool GeneratorMasks::findPocket(int32_t minSize, int32_t maxSize, const RowRange& rows) {
  uint64_t draws = WorldGenerator::drawBudget(1);
  int floods = kPocketFloods;
  while (draws-- > 0 && floods > 0) {
    const int32_t x = worldgen::pick(width_);
    const int32_t y = rows.lo + worldgen::pick(rows.hi - rows.lo + 1);
    if (g_.map.cell(x, y).frontId() != 0 || marks_[index(x, y)] != 0) continue;
    const int count = floodFrom(x, y);
    if ((minSize == -1 || count >= minSize) && (maxSize == -1 || count < maxSize)) return true;
    for (const GridPoint& p : region()) marks_[index(p.x, p.y)] = 0;
    --floods;
  }
  regionSize_ = 0;
  g_.gaveUp(RetryKind::Pocket);
  return false;
}

// ---- Dressing ----

void GeneratorMasks::dressCaves() {
  for (const CaveDressing& rule : g_.planet.caveDressings) dressWith(rule);
}

void GeneratorMasks::dressWith(const CaveDressing& rule) {
  buildDecorationLists(rule);
  const int count = static_cast<int>(g_.densityBase() * rule.density);
  const RowRange rows = g_.depthRange(rule.lo, rule.hi);
  for (int i = 0; i < count; ++i) {
    g_.checkStop();
    if (findPocket(rule.minRegion, rule.maxRegion, rows)) dressPocket(rule);
  }
}

void GeneratorMasks::buildDecorationLists(const CaveDressing& rule) {
  for (int side = 0; side < kSides; ++side) {
    lists_[side].clear();
    for (const PatternGroup& group : rule.decorationGroups) {
      Group fitting{group.chance, {}};
      for (const DecorationPattern& pattern : group.patterns) {
        if (!placedOn(pattern.placement, side) || pattern.entries.empty()) continue;
        Candidate c{&pattern};
        patternSpace(pattern, c.minSpace, c.maxSpace);
        fitting.candidates.push_back(c);
      }
      if (!fitting.candidates.empty()) lists_[side].push_back(std::move(fitting));
    }
  }
}

void GeneratorMasks::dressPocket(const CaveDressing& rule) {
  for (const GridPoint& e : region()) {
    MapBlock& cell = g_.map.cell(e.x, e.y);
    for (const BlockReplacement& r : rule.replacements) {
      if (itemMatchesFilter(cell.backId(), r.filter)) setLayerBlock(g_.props, cell, r.block, r.variant, MapBlock::kBack);
    }
    for (int d = 0; d < 4; ++d) {
      const int32_t ny = e.y + kSteps[d][1];
      if (ny < 0 || ny >= height_) continue;
      const int32_t nx = neighbourColumn(e.x + kSteps[d][0], width_);
      const MapBlock& n = g_.map.cell(nx, ny);
      if (g_.props[n.frontId()].transparency != 1) spread(rule, nx, ny);
      if (cell.frontId() != 0 || n.frontId() == 0 || g_.props[n.frontId()].transparency != 0) continue;
      switch (d) {
        case 0: decorate(e.x, e.y, kRightWall); break;
        case 1:
          if (!g_.props[n.frontId()].has(block_flag::kNoCeilingDecos)) decorate(e.x, e.y, kCeiling);
          break;
        case 2: decorate(e.x, e.y, kLeftWall); break;
        default: decorate(e.x, e.y, kFloor); break;
      }
    }
  }
}

void GeneratorMasks::decorate(int32_t x, int32_t y, Side side) {
  static constexpr GrowthDirection kGrowth[kSides] = {GrowthDirection::Up, GrowthDirection::Down,
                                                      GrowthDirection::Left, GrowthDirection::Right};
  int freeSpace = -1;
  for (const Group& group : lists_[side]) {
    if (!worldgen::chance(group.chance)) continue;
    if (freeSpace < 0) freeSpace = measureFreeSpace(g_, x, y, kGrowth[side]);
    candidates_.clear();
    for (const Candidate& c : group.candidates) {
      if (c.minSpace <= freeSpace) candidates_.push_back(&c);
    }
    if (candidates_.empty()) continue;
    const Candidate& pick = *candidates_[static_cast<size_t>(worldgen::pick(static_cast<int>(candidates_.size())))];
    applyPattern(g_, x, y, *pick.pattern, static_cast<uint8_t>(freeSpace), kGrowth[side]);
    return;
  }
}

// ---- Spreading into the rock ----

void GeneratorMasks::applyReplacements(const CaveDressing& rule, MapBlock& c, uint8_t side) {
  for (const BlockReplacement& r : rule.replacements) {
    if (itemMatchesFilter(block_word::id(c.layerWord(side)), r.filter)) setLayerBlock(g_.props, c, r.block, r.variant, side);
  }
}

void GeneratorMasks::runFillRules(const CaveDressing& rule, MapBlock& c) {
  for (const ChanceBlock& fill : rule.fillRules) {
    if (!worldgen::chance(fill.chance) || !itemMatchesFilter(c.frontId(), fill.filter)) continue;
    if (fill.block == 0) {
      c.setLayer(0, 0, MapBlock::kFront);
    } else if (g_.props[fill.block].transparency != 0) {
      c.addDecoRandomVariant(g_.props, fill.block, MapBlock::kFront);
    } else {
      c.setFrontRandomVariant(g_.props, fill.block);
    }
    return;
  }
}

void GeneratorMasks::runTopRules(const CaveDressing& rule, MapBlock& c) {
  for (const ChanceBlock& top : rule.topRules) {
    if (!worldgen::chance(top.chance) || !itemMatchesFilter(c.frontId(), top.filter)) continue;
    c.addDecoRandomVariant(g_.props, top.block, MapBlock::kFront);
    return;
  }
}

bool GeneratorMasks::enterCell(const CaveDressing& rule, int32_t x, int32_t y, float strength) {
  const bool decaying = rule.decaying != 0;
  if (marks_[index(x, y)] != 0 || (decaying && strength <= 0.0f)) return false;
  marks_[index(x, y)] = 1;
  MapBlock& c = g_.map.cell(x, y);
  applyReplacements(rule, c, MapBlock::kFront);
  if (!decaying && rule.backLayer != 0) applyReplacements(rule, c, MapBlock::kBack);
  const uint8_t t = g_.props[c.frontId()].transparency;
  const bool fill = decaying ? (t != 1 || rule.backLayer != 0) : (t == 0 && c.frontId() != 0);
  if (fill) {
    if (!rule.fillRules.empty()) runFillRules(rule, c);
    const MapBlock* above = c.neighbourUp(g_.map);
    if (!rule.topRules.empty() && above != nullptr && g_.props[above->frontId()].transparency == 1) runTopRules(rule, c);
  }
  if (rule.replacements.empty()) return false;
  if (rule.decideOnce != 0 && !worldgen::chance(decaying ? strength : rule.spreadChance)) return false;
  return true;
}

void GeneratorMasks::spread(const CaveDressing& rule, int32_t x, int32_t y) {
  const bool decaying = rule.decaying != 0;
  if (!enterCell(rule, x, y, 1.0f)) return;
  spreadDepthFirst(stack_, g_.map, {x, y, 1.0f, 0}, [&](const SpreadFrame& parent, int32_t nx, int32_t ny, float& strength) {
    if (rule.decideOnce == 0 && !worldgen::chance(decaying ? parent.strength : rule.spreadChance)) return false;
    strength = decaying ? parent.strength - rule.spreadChance : parent.strength;
    return enterCell(rule, nx, ny, strength);
  });
}

// ---- Pools ----

void GeneratorMasks::fillPools() {
  for (const PoolRule& rule : g_.planet.poolRules) fillPool(rule);
}

void GeneratorMasks::fillPool(const PoolRule& rule) {
  const int count = static_cast<int>(g_.densityBase() * rule.density);
  const RowRange rows = g_.depthRange(rule.lo, rule.hi);
  for (int i = 0; i < count; ++i) {
    g_.checkStop();
    if (!findPocket(rule.minRegion, rule.maxRegion, rows)) continue;
    const int level = worldgen::rangeDraw(rule.minLevel, rule.maxLevel);
    int32_t bottom = height_;
    for (const GridPoint& p : region()) bottom = std::min(bottom, p.y);
    for (const GridPoint& p : region()) {
      MapBlock& c = g_.map.cell(p.x, p.y);
      if (p.y < bottom + level && g_.props[c.frontId()].transparency != 0) g_.addLiquidSource(c, rule.liquidKind);
    }
  }
}
