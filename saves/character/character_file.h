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

// Writes the whole file and closes the handle. True when every byte was written.
bool writeCharacterFile(kel::FileHandle& file, const CharacterRecord& record);

// Reads the file over the record's current values, part by part; parts says what was found.
// False on a wrong magic or version (nothing changed then) or any damage: the caller discards
// the record. A health that is not a finite number reads as 0.
bool readCharacterFile(kel::FileHandle& file, CharacterRecord& record, CharacterParts& parts);

// The character list's view of the file: identity, looks and knowledge. None when the file is
// not a character file or is damaged.
std::unique_ptr<PlayerEntry> readCharacterSummary(const std::string& fileName,
                                                  kel::FileHandle& file);
