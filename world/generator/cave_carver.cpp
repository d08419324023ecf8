#include "world/generator/cave_carver.h"

#include <cmath>

#include "content/planets/planet_def.h"
#include "world/cells/map_block.h"
#include "world/generator/generator_random.h"
#include "world/generator/neighbour_column.h"
#include "world/generator/prefetch_around.h"
#include "world/generator/terrain_passes.h"
#include "world/generator/world_generator.h"
#include "world/map/world_map.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kFullTurn = 6.2831855f;
constexpr int kSteps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
// How many cells of the carve list ahead of the one being carved round the flood asks for.
constexpr size_t kCarveLookAhead = 8;

void emptyFront(WorldGenerator& g, int32_t x, int32_t y) { g.map.setBlockAt(0, 0, x, y, 0); }

// What `emptyFront` does to a cell already found in the map: the carving takes hundreds of
// thousands of them, and its cells need no wrap or row check.
void emptyFront(MapBlock& cell) {
  cell.front &= block_word::kLayerMark;
  cell.clearSideDecos(MapBlock::kFront);
}

// The walk of one worm into the carve list.
void walkWorm(WorldGenerator& g, const WormRule& rule) {
  const RowRange rows = g.depthRange(rule.lo, rule.hi);
  float x = static_cast<float>(worldgen::pick(g.width + 1));
  float y = static_cast<float>(WorldGenerator::randomRow(rows));
  const float a0 = static_cast<float>(rule.minTurn) * kDegreesToRadians;
  const float a1 = static_cast<float>(rule.maxTurn) * kDegreesToRadians;
  const int n = worldgen::rangeDraw(rule.minLength, rule.maxLength);
  int leg = worldgen::rangeDraw(rule.minLegSteps, rule.maxLegSteps);
  float heading = static_cast<float>(worldgen::draw()) / 32767.0f * kFullTurn;
  g.carveList.clear();
  g.carveList.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
  for (int i = 0; i < n;) {
    const float dx = std::cos(heading) * rule.step, dy = std::sin(heading) * rule.step;
    for (int j = 0; i < n && j < leg; ++j) {
      y += dy;
      x += dx;
      g.carveList.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y)});
      i = (y < static_cast<float>(rows.lo) || y > static_cast<float>(rows.hi)) ? n + 1 : i + 1;
    }
    leg = worldgen::rangeDraw(rule.minLegSteps, rule.maxLegSteps);
    float turn = a0 == a1 ? a0 : a0 + static_cast<float>(worldgen::draw()) / 32767.0f * (a1 - a0);
    if (worldgen::draw() % 2 != 0) turn = -turn;
    heading += turn;
    ++i;
  }
}

void carveDisc(WorldGenerator& g, const GridPoint& p, float radius) {
  for (float v = -radius; v < radius; v += 1.0f) {
    const float w = std::sqrt(radius * radius - v * v);
    const int32_t y = static_cast<int32_t>(static_cast<float>(p.y) + v);
    if (y < 0 || y >= g.height) continue;
    for (float u = std::trunc(-w); u < w; u += 1.0f) emptyFront(g, p.x + static_cast<int32_t>(u), y);
  }
}

}  // namespace

int carveCave(WorldGenerator& g, int32_t x, int32_t y, float dropChance, uint32_t size) {
  emptyFront(g, x, y);
  g.carveList.clear();
  g.carveList.push_back({g.map.wrapX(x), y});
  uint32_t active = 1;
  uint32_t budget = size - 1;  // a size of 0 wraps round: no limit
  const MapBlock* cells = g.map.cells();
  for (size_t i = 0; i < g.carveList.size(); ++i) {
    if (i + kCarveLookAhead < g.carveList.size()) {
      const GridPoint& ahead = g.carveList[i + kCarveLookAhead];
      prefetchCellsAround(cells, rowNeighbours(ahead.x, ahead.y, g.width, g.height));
    }
    const GridPoint at = g.carveList[i];
    const int mask = (worldgen::draw() % 15) + 1;
    if (active > 1 && worldgen::chance(dropChance)) {
      --active;
      continue;
    }
    for (int d = 0; d < 4; ++d) {
      if (budget == 0) return static_cast<int>(g.carveList.size());
      const int32_t ny = at.y + kSteps[d][1];
      if (ny < 0 || ny >= g.height) continue;
      const int32_t nx = neighbourColumn(at.x + kSteps[d][0], g.width);
      MapBlock& cell = g.map.cell(nx, ny);
      const uint16_t front = cell.frontId();
      if ((mask >> d & 1) != 0 && front != 0 && front != kBedrockBlock) {
        ++active;
        --budget;
        emptyFront(cell);
        g.carveList.push_back({nx, ny});
      }
    }
  }
  return static_cast<int>(g.carveList.size());
}

void spawnCaves(WorldGenerator& g) {
  const float base = g.densityBase();
  for (const CaveRule& rule : g.planet.caveRules) {
    const int count = static_cast<int>(base * rule.density);
    const RowRange rows = g.depthRange(rule.lo, rule.hi);
    uint64_t budget = WorldGenerator::drawBudget(count);
    for (int carved = 0; carved < count;) {
      if (budget-- == 0) {
        g.gaveUp(RetryKind::Cave);
        break;
      }
      const int32_t x = worldgen::pick(g.width);
      const int32_t y = rows.lo + worldgen::pick(rows.hi - rows.lo + 1);
      const uint16_t front = g.map.cell(x, y).frontId();
      if (front == 0 || front == kBedrockBlock) continue;
      g.checkStop();
      carveCave(g, x, y, rule.dropChance, rule.size);
      ++carved;
    }
  }
}

void carveWorm(WorldGenerator& g, const WormRule& rule) {
  walkWorm(g, rule);
  if (rule.radius <= 0.0f) return;
  for (const GridPoint& p : g.carveList) carveDisc(g, p, rule.radius);
}

void spawnWormCaves(WorldGenerator& g) {
  const float base = g.densityBase();
  for (const WormRule& rule : g.planet.wormRules) {
    const int count = static_cast<int>(base * rule.density);
    for (int i = 0; i < count; ++i) {
      g.checkStop();
      carveWorm(g, rule);
    }
  }
}
