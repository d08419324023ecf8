#include "world/generator/decoration_patterns.h"

#include <algorithm>

#include "content/planets/planet_rules.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/generator/generator_random.h"
#include "content/items/block_rules.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"

namespace {

struct Step {
  int dx, dy;
};

Step stepOf(GrowthDirection direction) {
  switch (direction) {
    case GrowthDirection::Up: return {0, 1};
    case GrowthDirection::Down: return {0, -1};
    case GrowthDirection::Left: return {-1, 0};
    case GrowthDirection::Right: return {1, 0};
  }
  return {0, 1};
}

// What one application of a pattern keeps while it places cells.
struct Placement {
  WorldGenerator& g;
  GrowthDirection direction;
  bool mirrored = false;
  int fixedVariant = -1;  // -1: each block its own random variant

  uint8_t stateFor(uint16_t block) const {
    return orientationState(direction, g.props[block].has(block_flag::kOriented), mirrored);
  }

  // The single-cell placer.
  void placeOne(MapBlock& c, uint16_t block) const {
    if (g.props[block].has(block_flag::kFacesSolidSide)) {
      const MapBlock* left = c.neighbourLeft(g.map);
      const MapBlock* right = c.neighbourRight(g.map);
      const bool l = left != nullptr && left->frontId() != 0 && g.props[left->frontId()].transparency == 0;
      const bool r = right != nullptr && right->frontId() != 0 && g.props[right->frontId()].transparency == 0;
      if (l != r) {
        c.setFront(block, 1, l ? 0 : 4);
      } else {
        c.setFront(block, 0, 0);
      }
      return;
    }
    c.setFront(block, randomVariantFor(g.props, block), stateFor(block));
  }

  // A stacked block: its own random variant, or the pattern's.
  void placeStacked(MapBlock& c, uint16_t block) const {
    if (fixedVariant < 0 || block == 0) {
      c.setFront(block, randomVariantFor(g.props, block), stateFor(block));
    } else {
      c.setFront(block, static_cast<uint8_t>(fixedVariant), stateFor(block));
    }
  }
};

void placeSingle(const Placement& p, MapBlock& c, const DecorationPattern& pattern) {
  const PatternEntry& entry = pattern.entries[static_cast<size_t>(worldgen::pick(static_cast<int>(pattern.entries.size())))];
  p.placeOne(c, entry.block);
}

// Kind 1: every entry starts at its maximum; entries shrink at random (never below their minimum)
// until the stack fits the free space.
void placeStack(WorldGenerator& g, const Placement& p, int32_t x, int32_t y, const DecorationPattern& pattern,
                uint8_t freeSpace) {
  const size_t n = std::min(pattern.entries.size(), g.stackCounts.size());
  int total = 0, floor = 0;
  for (size_t i = 0; i < n; ++i) {
    g.stackCounts[i] = pattern.entries[i].maxCount;
    total += pattern.entries[i].maxCount;
    floor += std::min(pattern.entries[i].minCount, pattern.entries[i].maxCount);
  }
  if (freeSpace != 0) {
    while (freeSpace < total && total > floor) {
      const size_t i = static_cast<size_t>(worldgen::pick(static_cast<int>(n)));
      if (g.stackCounts[i] > pattern.entries[i].minCount) {
        --g.stackCounts[i];
        --total;
      }
    }
  }
  const Step s = stepOf(p.direction);
  int k = 0;
  for (size_t i = 0; i < n; ++i) {
    const int count = worldgen::rangeDraw(pattern.entries[i].minCount, g.stackCounts[i]);
    for (int j = 0; j < count; ++j, ++k) {
      MapBlock* c = g.map.cellAt(x + s.dx * k, y + s.dy * k);
      if (c == nullptr) return;
      p.placeStacked(*c, pattern.entries[i].block);
    }
  }
}

void placeLayers(const Placement& p, MapBlock& c, const DecorationPattern& pattern) {
  for (const PatternEntry& entry : pattern.entries) {
    if (p.g.props[entry.block].transparency == 1) {
      c.setFront(entry.block, randomVariantFor(p.g.props, entry.block), p.stateFor(entry.block));
    } else {
      c.addDecoRandomVariant(p.g.props, entry.block, MapBlock::kFront);
    }
  }
}

void placeRun(WorldGenerator& g, const Placement& p, int32_t x, int32_t y, const DecorationPattern& pattern,
              uint8_t freeSpace) {
  const PatternEntry& entry = pattern.entries.front();
  const int hi = freeSpace == 0 ? entry.maxCount : std::min<int>(entry.maxCount, freeSpace);
  const int count = worldgen::rangeDraw(entry.minCount, hi);
  const Step s = stepOf(p.direction);
  for (int k = 0; k < count; ++k) {
    MapBlock* c = g.map.cellAt(x + s.dx * k, y + s.dy * k);
    if (c == nullptr) return;
    c->setFront(entry.block, k == 0 ? 0 : 1, 0);
  }
}

void placePickOne(const Placement& p, MapBlock& c, const DecorationPattern& pattern) {
  const PatternEntry& entry = pattern.entries[static_cast<size_t>(worldgen::pick(static_cast<int>(pattern.entries.size())))];
  c.setFront(entry.block, randomVariantFor(p.g.props, entry.block), p.stateFor(entry.block));
  const uint16_t companion = itemValueFromTable(entry.block);
  if (companion != 0) c.addDecoRandomVariant(p.g.props, companion, MapBlock::kFront);
}

void placeOffsetSingle(WorldGenerator& g, const Placement& p, int32_t x, int32_t y, const DecorationPattern& pattern,
                       uint8_t freeSpace) {
  const PatternEntry& first = pattern.entries.front();
  const int limit = first.maxCount + 1;
  const int hi = (freeSpace != 0 && freeSpace < limit) ? freeSpace : limit;
  const int offset = hi - first.minCount > 1 ? first.minCount + worldgen::pick(hi - first.minCount) : first.minCount;
  const Step s = stepOf(p.direction);
  MapBlock* c = g.map.cellAt(x + s.dx * offset, y + s.dy * offset);
  if (c != nullptr) placeSingle(p, *c, pattern);
}

}  // namespace

uint8_t orientationState(GrowthDirection direction, bool oriented, bool mirrored) {
  switch (direction) {
    case GrowthDirection::Up: return oriented && mirrored ? 4 : 0;
    case GrowthDirection::Down: return oriented ? (mirrored ? 6 : 2) : (mirrored ? 4 : 0);
    case GrowthDirection::Left: return oriented ? (mirrored ? 7 : 3) : 0;
    case GrowthDirection::Right: return oriented ? (mirrored ? 5 : 1) : 0;
  }
  return 0;
}

uint8_t measureFreeSpace(WorldGenerator& g, int32_t x, int32_t y, GrowthDirection direction) {
  const Step s = stepOf(direction);
  int count = 0;
  while (count < 255) {
    const MapBlock* c = g.map.cellAt(x + s.dx * count, y + s.dy * count);
    if (c == nullptr || c->frontId() != 0) break;
    ++count;
  }
  return static_cast<uint8_t>(count);
}

void patternSpace(const DecorationPattern& pattern, uint8_t& minSpace, uint8_t& maxSpace) {
  minSpace = maxSpace = 1;
  if (pattern.entries.empty()) return;
  const PatternEntry& first = pattern.entries.front();
  switch (pattern.kind) {
    case 1: {
      int lo = 1, hi = 1;
      for (const PatternEntry& e : pattern.entries) {
        lo += e.minCount;
        hi += e.maxCount;
      }
      minSpace = static_cast<uint8_t>(lo);
      maxSpace = static_cast<uint8_t>(hi);
      break;
    }
    case 4:
      minSpace = first.minCount;
      maxSpace = first.maxCount;
      break;
    case 6:
      minSpace = static_cast<uint8_t>(first.minCount + 1);
      maxSpace = static_cast<uint8_t>(first.maxCount + 1);
      break;
    default: break;
  }
}

void applyPattern(WorldGenerator& g, int32_t x, int32_t y, const DecorationPattern& pattern, uint8_t freeSpace,
                  GrowthDirection direction) {
  MapBlock* anchor = g.map.cellAt(x, y);
  if (anchor == nullptr || pattern.entries.empty()) return;
  Placement p{g, direction};
  if (pattern.mirror != 0 || pattern.kind == 3) p.mirrored = worldgen::draw() % 2 == 0;
  if (pattern.fixedVariant != 0) p.fixedVariant = randomVariantFor(g.props, pattern.entries.front().block);
  switch (pattern.kind) {
    case 0: placeSingle(p, *anchor, pattern); break;
    case 1: placeStack(g, p, x, y, pattern, freeSpace); break;
    case 2:
      anchor->setFront(kTreeSeedBlock, randomVariantFor(g.props, kTreeSeedBlock), 0);
      g.treeSeeds.push_back({anchor->x, anchor->y, static_cast<uint8_t>(pattern.entries.front().block & 0xFF)});
      break;
    case 3: placeLayers(p, *anchor, pattern); break;
    case 4: placeRun(g, p, x, y, pattern, freeSpace); break;
    case 5: placePickOne(p, *anchor, pattern); break;
    case 6: placeOffsetSingle(g, p, x, y, pattern, freeSpace); break;
    default: break;
  }
}
