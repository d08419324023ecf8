#include "world/map/kept_cells.h"

#include <algorithm>
#include <span>

#include "world/map/changed_chunks.h"
#include "world/map/world_map.h"

bool KeptCells::follows(const WorldMap& map) const {
  return map_ == &map && map.keptCopy() == this && cells_.size() == map.cellCount();
}

void KeptCells::levelWith(WorldMap& map) {
  const std::span<const MapBlock> live{map.cells(), map.cellCount()};
  ChangedChunks& changed = map.changedChunks();
  lastCopied_ = 0;
  if (!follows(map)) {
    cells_.assign(live);
    changed.take([](size_t, size_t) {});
    lastCopied_ = live.size();
  } else {
    MapBlock* kept = cells_.data();
    changed.take([&](size_t first, size_t count) {
      const std::span<const MapBlock> run = live.subspan(first, count);
      std::copy(run.begin(), run.end(), kept + first);
      lastCopied_ += count;
    });
  }
  map_ = &map;
  map.setKeptCopy(this);
}
