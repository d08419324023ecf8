#include "view/tiles/liquid_frame.h"

#include <algorithm>

#include "content/art/block_atlas_layout.h"
#include "world/cells/map_block.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"

namespace liquid_frame {

namespace {

constexpr uint8_t kAmounts = 0x3F;
constexpr uint8_t kFull = 0x24;  // both amounts at their most

uint8_t kindOf(const MapBlock& cell) { return cell.liquidKindBits(); }

}  // namespace

int coveredDepth(const WorldMap& map, const MapBlock& cell) {
  if ((cell.liquid & kAmounts) != kFull) return 0;
  int depth = 0;
  for (int32_t y = int32_t(cell.y) + 1; depth < art::kLiquidDepthBands; ++y) {
    const MapBlock* above = map.cellAt(cell.x, y);
    if (above == nullptr || kindOf(*above) != kindOf(cell) || (above->liquid & kAmounts) == 0) break;
    ++depth;
  }
  return depth;
}

bool flows(WorldMap& map, const MapBlock& cell) {
  if (!cell.hasFlag(cell_flag::kLiquidSource)) return false;
  const MapBlock* below = map.cellAt(cell.x, int32_t(cell.y) - 1);
  return map.liquids().isOpenForLiquid(below) && (below->liquid & kAmounts) != kFull;
}

engine::Rect frameFor(WorldMap& map, const MapBlock& cell) {
  const auto kind = static_cast<art::LiquidKind>(kindOf(cell));
  if (flows(map, cell)) return art::liquidSpriteRect(kind, 0, 0, true);
  if (const int depth = coveredDepth(map, cell); depth > 0) return art::coveredLiquidSpriteRect(kind, depth);
  const auto most = static_cast<uint8_t>(art::kLiquidMaxAmount);
  const auto a = cell.liquidLevelA();
  const auto b = cell.liquidLevelB();
  // A still source cell holds its full amount.
  if (a == 0 && b == 0) return art::liquidSpriteRect(kind, most, most, false);
  return art::liquidSpriteRect(kind, std::min(a, most), std::min(b, most), false);
}

engine::Rect bodyPixelFor(WorldMap& map, const MapBlock& cell) {
  if (flows(map, cell)) return {};
  const int depth = coveredDepth(map, cell);
  if (depth == 0) return {};
  const engine::Rect frame = art::coveredLiquidSpriteRect(static_cast<art::LiquidKind>(kindOf(cell)), depth);
  // The frame's lower left pixel: the body's own colour, clear of its sparkles.
  return {frame.getMinX(), frame.getMaxY() - 1.0f, 1.0f, 1.0f};
}

}  // namespace liquid_frame
