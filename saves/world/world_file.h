#pragma once
// The world file: writing a running world into one save container and reading it back into a
// freshly constructed `World` of the same parameters and size. The layout and what a reader
// trusts are described in saves/world/world_file_format.h.
//
// Writing leaves the world as it was. Reading happens on the thread that reads (the save worker in a
// game), into a world that no one plays yet and nothing else touches; after the sections it restores the weather, the clock, the circuits and the
// liquid queues, then works out the shadows and the light (in one pass, as generation does) and
// the top of every column, so the world is entered as a generated one is. A false result means
// the file must not be played: the caller throws the world away and keeps the files on disk
// untouched.

namespace kel {
class FileHandle;
}
class World;
class WorldSaveLinks;
struct PlayerCells;
struct WorldEntry;

// Writes and closes the file; true when every byte reached it.
bool writeWorldFile(kel::FileHandle& file, const WorldEntry& entry, World& world,
                    const PlayerCells& player, const WorldSaveLinks& links);

// False for a file that is not a version 1 world file, whose info record names another map
// size than the world's (or none of the legal sizes), that has no cells section, or that is
// damaged anywhere. `player`
// receives the local player's cells when given.
bool readWorldFile(kel::FileHandle& file, World& world, WorldSaveLinks& links,
                   PlayerCells* player = nullptr);
// Whether the file reads whole into the world as `readWorldFile` reads it, the world left unlit and
// nothing linked to it: the damage judge's reading, into a world it throws away.
bool worldFileReadsWhole(kel::FileHandle& file, World& world);
