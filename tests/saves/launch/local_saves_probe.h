#pragma once
// The copy of the cells a local store keeps in its world snapshot from one save to the next, for
// tests: read it only once no write is under way (after `waitForWrites`).

#include "saves/launch/local_saves.h"
#include "world/map/cell_grid.h"

struct LocalSavesProbe {
  static const CellGrid& snapshotCells(const LocalSaves& saves) { return saves.snapshot_.cells->cells(); }
  // How many cells the last save copied from the world.
  static size_t lastCopied(const LocalSaves& saves) { return saves.snapshot_.cells->lastCopied(); }
};
