#include "world/entities/mob_spawner.h"

#include <algorithm>

#include "content/items/block_filter.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/difficulty_row.h"
#include "content/tables/mob_def.h"
#include "world/cells/map_block.h"
#include "world/cells/visible_cell_counts.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint32_t kMaskMiddle = 0x7FFFFFF0u;  // bits 4-30
constexpr uint32_t kMaskBit5 = 1u << 5;
constexpr uint8_t kAnyLight = 255;

float squaredCellDistance(const WorldMap& map, const MapBlock& a, const MapBlock& b) {
  int32_t dx = std::abs(static_cast<int32_t>(a.x) - static_cast<int32_t>(b.x));
  dx = std::min(dx, map.width() - dx);
  const auto dy = static_cast<float>(static_cast<int32_t>(a.y) - static_cast<int32_t>(b.y));
  return static_cast<float>(dx) * static_cast<float>(dx) + dy * dy;
}

// Land groups take only cells without liquid; a group that lives in a liquid takes only cells
// holding some of that liquid (fish in water, the lava and acid swimmers in theirs).
bool holdsRowsLiquid(const MobGroupRecord& row, const MapBlock& cell) {
  const bool wet = cell.hasLiquidLevel();
  if (row.liquid() == 0) return !wet && cell.liquidKind() == LiquidKind::None;
  return wet && static_cast<uint8_t>(cell.liquidKind()) == row.liquid();
}

}  // namespace

bool spawnMaskPasses(uint32_t mask) {
  const bool middleClear = (mask & kMaskMiddle) == 0;
  const bool bit5 = (mask & kMaskBit5) != 0;
  if (static_cast<int32_t>(mask) >= 0) return middleClear || bit5;
  return !middleClear && !bit5;
}

MobSpawner::MobSpawner(World& world) : world_(&world) {
  groups_[0] = {{0, 25, 0, 0, 0, 0, 0}, 8, 0.3f, 1};
  groups_[1] = {{1, 9, 0, 0, 0, 0, 0}, 5, 0.3f, 0};
  groups_[2] = {{2, 25, 0, 0, 0, 0, 1}, 6, 0.3f, 1};
  setViewSize(kDefaultViewColumns, kDefaultViewRows);
}

void MobSpawner::followVisibleCells() {
  const VisibleCellCounts counts = world_->visibleCells();
  if (counts.columns > 0 && counts.rows > 0) {
    setViewSize(static_cast<float>(counts.columns), static_cast<float>(counts.rows));
  } else {
    setViewSize(kDefaultViewColumns, kDefaultViewRows);
  }
}

void MobSpawner::setViewSize(float columns, float rows) {
  static constexpr float kOuter[kSpawnedGroups] = {1.4f, 1.2f, 1.4f};
  for (uint8_t g = 0; g < kSpawnedGroups; ++g) {
    SpawnRule& rule = groups_[g].rule;
    rule.viewWidth = columns;
    rule.viewHeight = rows;
    rule.outerWidth = columns * kOuter[g];
    rule.outerHeight = rows * kOuter[g];
  }
}

uint64_t MobSpawner::groupCap(uint8_t g, uint32_t players) const {
  const SpawnGroup& record = group(g);
  float cap = static_cast<float>(record.cap) * difficultySpawnFactor(world_->difficulty());
  if (record.scaleByPlayers != 0 && players > 1) cap *= static_cast<float>(players) * 0.75f;
  return cap > 0 ? static_cast<uint64_t>(cap) : 0;
}

const std::vector<const MobGroupDef*>& MobSpawner::rows() {
  if (rowsChosen_) return rows_;
  rowsChosen_ = true;
  const uint32_t planet = world_->map().planet().id;
  const ContentTables& tables = contentTables();
  for (size_t i = 0; i < tables.mobGroupCount && i < tables.mobGroupDefs.size(); ++i) {
    const MobGroupDef& row = tables.mobGroupDefs[i];
    if (row.record.planetId() == planet && spawnMaskPasses(row.record.conditionFlags())) rows_.push_back(&row);
  }
  return rows_;
}

bool MobSpawner::canSpawnAt(const MobGroupDef& row, const MapBlock& cell) const {
  const MobGroupRecord& r = row.record;
  World& w = *world_;
  WorldMap& map = w.map();
  if (r.hostile() && w.peaceful()) return false;
  if (r.planetId() != map.planet().id) return false;
  const auto light = static_cast<int8_t>(cell.lightLevel(w.dayClock().darkness));
  if (r.lightBound(0) != kAnyLight && light < static_cast<int8_t>(r.lightBound(0))) return false;
  if (r.lightBound(1) != kAnyLight && light > static_cast<int8_t>(r.lightBound(1))) return false;
  const MapBlock* below = cell.neighbourDown(map);
  if (below == nullptr || !itemMatchesFilter(below->frontId(), r.standableBlocks())) return false;
  const float depth = static_cast<float>(map.height() - static_cast<int32_t>(map.planet().parameters.surfaceAmplitude) -
                                         map.heightLevel());
  const float low = r.depthFraction(0);
  const float high = r.depthFraction(1);
  const auto y = static_cast<float>(cell.y);
  if (low == 1.0f && high == 1.0f) {
    if (y < depth) return false;
  } else if (high > 1.0f) {
    if (y < depth * low) return false;
  } else if (y < depth * low || y > depth * high) {
    return false;
  }
  const auto phase = static_cast<uint8_t>(w.dayClock().phase);
  if ((r.dayPhases() & phase) != phase) return false;
  return holdsRowsLiquid(r, cell);
}

void MobSpawner::dropNearbyCandidates(const MapBlock& cell, float spacing) {
  const WorldMap& map = world_->map();
  std::erase_if(candidates_, [&](const MapBlock* c) { return squaredCellDistance(map, *c, cell) < spacing; });
}
