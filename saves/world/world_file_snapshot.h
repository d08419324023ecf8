#pragma once
// A world file taken in two steps, so that a save costs the game's frame little. Taking the
// snapshot (main thread) reads the world: the cells are copied as they stand, and every other
// section is laid out in its bytes. Writing it (any thread, typically the save worker) packs and
// compresses the cells and the other compressed sections and writes the container; it touches no
// world. The bytes are those `writeWorldFile` (saves/world/world_file.h) writes in one step.
//
// A snapshot is kept from one save to the next, and never taken while a write of it runs: its copy
// of the cells (`KeptCells`) is brought level with the world by copying only the chunks that
// changed since the last save, so the main thread's share is bounded by what the player changed,
// not by the world's size. A world's first save starts from the copy that the thread that made or
// read the world kept of it (`WorldMap::prepareKeptCopy`); without one it copies every cell.

#include <cstdint>
#include <memory>
#include <vector>

#include "saves/container/section_entry.h"
#include "saves/world/world_file.h"
#include "world/map/kept_cells.h"

struct WorldFileSnapshot {
  struct Section {
    uint16_t id = 0;
    uint8_t revision = 0;
    SectionStorage storage = SectionStorage::Plain;
    std::vector<uint8_t> body;  // the plain body; empty for the cells, which are packed on writing
  };

  // A cell the file keeps otherwise than the world holds it, put over the copy once it is whole.
  struct CellPatch {
    size_t index = 0;
    MapBlock cell;
  };

  std::vector<Section> sections;  // in the file's order
  // The map's cells, patched as the file keeps them on writing; the patched cells are marked
  // changed on the map at the next take, so the copy is level with it again.
  std::unique_ptr<KeptCells> cells = std::make_unique<KeptCells>();
  std::vector<CellPatch> patches;
  std::unique_ptr<KeptCells> retired;  // a copy replaced at the last take, freed by the writer
};

// Main thread. Replaces what the snapshot held with the world as the file keeps it.
void takeWorldFileSnapshot(WorldFileSnapshot& snapshot, const WorldEntry& entry, World& world,
                           const PlayerCells& player, const WorldSaveLinks& links);

// Any thread. Writes and closes the file; true when every byte reached it.
bool writeWorldFileSnapshot(kel::FileHandle& file, WorldFileSnapshot& snapshot);
