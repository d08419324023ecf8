#include "bench/support/synthetic_world.h"

#include <algorithm>
#include <vector>

#include "engine/base/random.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace bench {
namespace {

int draw(int n) { return engine::randomNext() % n; }

void shapeBlocks(WorldMap& map) {
  BlockPropsTable& props = map.mutableProps();
  props.mutableRow(0) = BlockProps{.transparency = 1};
  props.mutableRow(kSyntheticDirt) =
      BlockProps{.flags = uint64_t{1} << block_flag::kSolid, .variantCount = 1, .transparency = 0};
  props.mutableRow(kSyntheticLamp) = BlockProps{
      .flags = uint64_t{1} << block_flag::kEmitsLight, .lightColor = 0xEEE, .transparency = 1};
}

void carveDisc(WorldMap& map, int cx, int cy, int radius, int lowestTop, const std::vector<int>& ground) {
  for (int dx = -radius; dx <= radius; ++dx) {
    for (int dy = -radius; dy <= radius; ++dy) {
      if (dx * dx + dy * dy > radius * radius) continue;
      const int x = map.wrapX(cx + dx), y = cy + dy;
      if (y < 1 || y >= ground[static_cast<size_t>(x)] - lowestTop) continue;
      map.cell(x, y).setFront(0, 0, 0);
    }
  }
}

// A worm cave: a random walk of discs, kept well below the ground so it stays closed.
void carveWorm(WorldMap& map, const std::vector<int>& ground) {
  int x = draw(map.width());
  int y = 4 + draw(std::max(1, ground[static_cast<size_t>(x)] - 12));
  const int steps = 60 + draw(200);
  for (int s = 0; s < steps; ++s) {
    carveDisc(map, x, y, 1 + draw(3), 6, ground);
    x += draw(5) - 2;
    y += draw(3) - 1;
    y = std::clamp(y, 3, map.height() - 3);
  }
}

void carveShaft(WorldMap& map, int x, int fromY, int toY) {
  for (int y = fromY; y < toY; ++y) map.cell(x, y).setFront(0, 0, 0);
}

}  // namespace

SyntheticWorld::SyntheticWorld() = default;
SyntheticWorld::SyntheticWorld(SyntheticWorld&&) noexcept = default;
SyntheticWorld::~SyntheticWorld() = default;

SyntheticWorld makeSyntheticWorld(int width, int height, uint32_t seed) {
  engine::randomSeed(seed);
  SyntheticWorld out;
  out.world = World::create(nullptr, WorldParams{}, width, height);
  out.map = &out.world->map();
  WorldMap& map = *out.map;
  shapeBlocks(map);
  std::vector<int> ground(static_cast<size_t>(width));
  int level = height * 7 / 10;
  for (int x = 0; x < width; ++x) {
    level = std::clamp(level + draw(3) - 1, height / 2, height - 20);
    ground[static_cast<size_t>(x)] = level;
    for (int y = 0; y < level; ++y) map.cell(x, y).setFront(kSyntheticDirt, 0, 0);
  }
  for (int w = 0; w < width / 6; ++w) carveWorm(map, ground);
  // The large cave, away from the open shafts, sealed by one block at the top of its shaft.
  out.caveLeft = width / 4;
  out.caveRight = out.caveLeft + std::min(400, width / 4);
  out.caveBottom = height / 4;
  out.caveTop = out.caveBottom + 60;
  for (int x = out.caveLeft; x <= out.caveRight; ++x) {
    for (int y = out.caveBottom; y <= out.caveTop; ++y) map.cell(x, y).setFront(0, 0, 0);
  }
  out.capX = (out.caveLeft + out.caveRight) / 2;
  out.capY = ground[static_cast<size_t>(out.capX)] - 1;
  carveShaft(map, out.capX, out.caveTop, out.capY);
  for (int s = 0; s < 24; ++s) {  // caves open to the sky elsewhere
    const int x = (out.caveRight + 20 + draw(width / 2)) % width;
    carveShaft(map, x, height / 3, ground[static_cast<size_t>(x)]);
  }
  for (int x = 0; x < width; ++x) {  // lamps and lava pools on cave floors
    for (int y = 1; y < ground[static_cast<size_t>(x)] - 1; ++y) {
      MapBlock& c = map.cell(x, y);
      if (c.frontId() != 0 || map.cell(x, y - 1).frontId() != kSyntheticDirt) continue;
      if (x >= out.caveLeft - 2 && x <= out.caveRight + 2 && y <= out.caveTop + 2) continue;
      const int roll = draw(100);
      if (roll < 3) c.setFront(kSyntheticLamp, 0, 0);
      else if (roll < 12) c.liquid = 2 << 6 | 0x24;
    }
  }
  return out;
}

}  // namespace bench
