#include "game/rules/surface_step.h"

#include <algorithm>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/block_rules.h"
#include "engine/base/random.h"
#include "game/player/player_base.h"
#include "world/cells/block_flags.h"
#include "world/cells/visible_cell_counts.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/trees/leaf_decay.h"
#include "world/world.h"

namespace {

constexpr uint8_t kLiquidAmounts = 0x3F;

bool isOpen(const MapBlock* above, const BlockPropsTable& props) {
  if (above == nullptr) return true;
  return props[above->frontId()].transparency != 0 && (above->liquid & kLiquidAmounts) == 0 &&
         !above->hasFlag(cell_flag::kLiquidSource);
}

CellInfo infoOf(const MapBlock& cell) { return {cell.x, cell.y, cell.front}; }

bool anyDeco(const MapBlock& cell, bool (*test)(const BlockPropsTable&, uint16_t), const BlockPropsTable& props) {
  return std::any_of(cell.decos.begin(), cell.decos.end(), [&](MapDeco deco) {
    return !map_deco::empty(deco) && test(props, map_deco::id(deco));
  });
}

bool keepsCoverOff(const BlockPropsTable& props, uint16_t id) { return props[id].has(block_flag::kKeepsCoverOff); }

bool keepsSnowOff(const BlockPropsTable& props, uint16_t id) {
  return id == surface_step::kSnowCover ||
         (props[id].has(block_flag::kKeepsCoverOff) && !props[id].has(block_flag::kRemovableAttachment));
}

// The daylight on the cell: its sky level less the world's darkness. A torch or a carried light
// lights a tunnel, but grass and flowers are surface growth: under lamplight alone they would
// sprout on the dirt of every lit tunnel and cave deep in the ground.
int daylight(const MapBlock& cell, uint32_t darkness) {
  return std::max(0, static_cast<int>(cell.skyLevel()) - static_cast<int>(std::min<uint32_t>(darkness, 15)));
}

// Daylight, and the soil test: the content tables name a clear-weather cover for the block.
bool growsCover(const MapBlock& cell, const BlockPropsTable& props, uint32_t darkness) {
  return daylight(cell, darkness) > surface_step::kDimmestLight &&
         blockCategory(surface_step::kClearKind, infoOf(cell)) != 0 && !anyDeco(cell, keepsCoverOff, props);
}

bool gathersSnow(const MapBlock& cell, const WorldMap& map) {
  const BlockPropsTable& props = map.props();
  return map.surfaceLine(cell.x) == cell.y + 1 && props[cell.frontId()].transparency == 0 &&
         !anyDeco(cell, keepsSnowOff, props);
}

std::vector<MapBlock*> collectCandidates(World& world, uint8_t kind, const PlayerGraphical& player,
                                         const VisibleCellCounts& view) {
  std::vector<MapBlock*> found;
  WorldMap& map = world.map();
  const uint32_t darkness = world.dayClock().darkness;
  // A window wider than the world would meet its own columns again across the wrap.
  const int32_t columns = std::min(view.columns, map.width());
  const int32_t left = static_cast<int32_t>(player.cellX) - columns / 2;
  const int32_t bottom = static_cast<int32_t>(player.cellY) - view.rows / 2;
  for (int32_t x = left; x < left + columns; ++x) {
    for (int32_t y = std::max(bottom, 0); y < std::min(bottom + view.rows, map.height()); ++y) {
      MapBlock& cell = map.cell(map.wrapX(x), y);
      if (cell.frontId() == 0 || !isOpen(map.cellAt(cell.x, y + 1), map.props())) continue;
      const bool fits = kind == surface_step::kClearKind ? growsCover(cell, map.props(), darkness)
                                                        : gathersSnow(cell, map);
      if (fits) found.push_back(&cell);
    }
  }
  return found;
}

BlockEdit decoEdit(const MapBlock& cell, uint8_t kind, uint16_t id, uint8_t slot, uint8_t variant) {
  BlockEdit edit = editForCell(cell, kind, id);
  edit.slot = slot;
  edit.variant = variant;
  edit.layer = MapBlock::kFront;
  return edit;
}

}  // namespace

bool randomSurfaceStep(World& world, LogicCells& rules, const PlayerGraphical& player, const VisibleCellCounts& view) {
  world.leafDecay().decayRandomLeaf(rules);
  const auto kind = static_cast<uint8_t>(world.weather().kind);
  if (kind != surface_step::kClearKind && kind != surface_step::kSnowKind) return false;
  const std::vector<MapBlock*> candidates = collectCandidates(world, kind, player, view);
  if (candidates.empty()) return false;
  MapBlock& cell = *candidates[static_cast<size_t>(engine::randomNext()) % candidates.size()];
  const DecoHit free = cell.findFreeDecoSlot();
  if (!free) return false;
  const uint16_t cover = blockCategory(kind, infoOf(cell));
  if (cover == 0) return false;
  const BlockPropsTable& props = world.map().props();
  if (cover == surface_step::kSnowCover) {
    for (uint8_t slot = 0; slot < cell.decos.size(); ++slot) {
      const MapDeco deco = cell.decos[slot];
      if (map_deco::empty(deco) || !props[map_deco::id(deco)].has(block_flag::kRemovableAttachment)) continue;
      rules.editBlock(decoEdit(cell, edit_kind::kRemoveDeco, map_deco::id(deco), slot, 0), nullptr);
    }
  }
  const BlockEdit add = decoEdit(cell, edit_kind::kSetDeco, cover, static_cast<uint8_t>(free.index),
                                 randomVariantFor(props, cover));
  rules.editBlock(add, nullptr);
  return true;
}

bool randomSurfaceTick(World& world, LogicCells& rules, LogicPlayers& players, const VisibleCellCounts& view) {
  const float draw = static_cast<float>(engine::randomNext()) / 32768.0f;
  if (!(draw < surface_step::kTickChance)) return false;
  const PlayerGraphical* around = players.somePlayer();
  return around != nullptr && randomSurfaceStep(world, rules, *around, view);
}
