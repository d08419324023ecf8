#pragma once
// A world file taken in two steps, so that a save costs the game's frame only a copy. Taking the
// snapshot (main thread) reads the world: the cells are copied whole, and every other section is
// laid out in its bytes. Writing it (any thread, typically the save worker) packs and compresses
// the copied cells and the other compressed sections and writes the container; it touches no
// world. The bytes are those `writeWorldFile` (saves/world/world_file.h) writes in one step.
//
// A snapshot is kept from one save to the next: the copy of the cells then lands in memory that
// is already the process's, and a snapshot is never taken while a write of it runs.

#include <cstdint>
#include <vector>

#include "saves/container/section_entry.h"
#include "saves/world/world_file.h"
#include "world/map/cell_grid.h"

struct WorldFileSnapshot {
  struct Section {
    uint16_t id = 0;
    uint8_t revision = 0;
    SectionStorage storage = SectionStorage::Plain;
    std::vector<uint8_t> body;  // the plain body; empty for the cells, which are packed on writing
  };

  std::vector<Section> sections;  // in the file's order
  CellGrid cells;                 // the map's cells, as the file keeps them
};

// Main thread. Replaces what the snapshot held with the world as the file keeps it.
void takeWorldFileSnapshot(WorldFileSnapshot& snapshot, const WorldEntry& entry, World& world,
                           const PlayerCells& player, const WorldSaveLinks& links);

// Any thread. Writes and closes the file; true when every byte reached it.
bool writeWorldFileSnapshot(kel::FileHandle& file, const WorldFileSnapshot& snapshot);
