#include "saves/world/world_file.h"
#include "saves/world/world_file_snapshot.h"

bool writeWorldFile(kel::FileHandle& file, const WorldEntry& entry, World& world,
                    const PlayerCells& player, const WorldSaveLinks& links) {
  WorldFileSnapshot snapshot;
  takeWorldFileSnapshot(snapshot, entry, world, player, links);
  return writeWorldFileSnapshot(file, snapshot);
}
