#pragma once
// The character file: a save container with the magic "RBWC", version 0 and five plain sections
// (0x8000 identity, 52 bytes; 0x8001 inventory, 77 items; 0x8002 recipe knowledge, 256 bytes;
// 0x8003 unlocked achievements, 32 bytes, revision 1; 0x8004 health and four buffs, 20 bytes).
// The file always has the same 1356 bytes. Readers and writers close nothing; the caller owns the
// handle (the writer's container closes it when done). Game thread, or any thread with its own
// handle.

#include <memory>
#include <string>

#include "saves/character/character_record.h"

namespace kel {
class FileHandle;
}
struct PlayerEntry;

inline constexpr size_t kCharacterFileSize = 1356;
inline constexpr const char* kCharacterMagic = "RBWC";

// Writes the whole file and closes the handle. True when every byte was written.
bool writeCharacterFile(kel::FileHandle& file, const CharacterRecord& record);

// Reads the file over the record's current values, part by part; parts says what was taken.
// A file is sound when its header is right, its identity section is there and every section it
// has reads whole; anything else is false, with the record unchanged. Without an inventory
// section nothing after it is taken, and without an achievements section no health (files have
// always read so); such sections are still read to judge the file. A health that is not a
// finite number reads as 0.
bool readCharacterFile(kel::FileHandle& file, CharacterRecord& record, CharacterParts& parts);

// The character list's view of the file: identity, looks and knowledge, taken from the same read
// as the player's, so a file is listed exactly when it loads.
std::unique_ptr<PlayerEntry> readCharacterSummary(const std::string& fileName,
                                                  kel::FileHandle& file);
