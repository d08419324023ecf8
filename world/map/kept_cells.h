#pragma once
// A copy of a map's cells kept level with it (a save's snapshot), at a cost bounded by what
// changed: bringing it level copies only the chunks the map marked changed since it last was
// (`ChangedChunks`), and every cell only when it did not follow this map before. The copy and the
// map each remember the other, so neither a map made where a freed one stood nor a copy replaced
// is ever taken for the one that was followed.
//
// The thread that holds the map brings the copy level; the copy may then be read, or patched, on
// another thread until it is brought level again. A cell patched in the copy differs from the map:
// the patcher marks it changed on the map before the copy is next brought level.

#include <cstddef>

#include "world/map/cell_grid.h"

class WorldMap;

class KeptCells {
 public:
  KeptCells() = default;
  KeptCells(const KeptCells&) = delete;
  KeptCells& operator=(const KeptCells&) = delete;

  // The copy becomes equal to the map's cells; the map's marks are cleared.
  void levelWith(WorldMap& map);
  // It was last brought level with this map, and the map's marks count from then.
  bool follows(const WorldMap& map) const;

  CellGrid& cells() { return cells_; }
  const CellGrid& cells() const { return cells_; }
  // How many cells the last `levelWith` copied.
  size_t lastCopied() const { return lastCopied_; }

 private:
  CellGrid cells_;
  const WorldMap* map_ = nullptr;  // compared only: it may be gone
  size_t lastCopied_ = 0;
};
