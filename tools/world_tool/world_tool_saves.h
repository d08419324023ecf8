#pragma once
// The world tool's save commands: a generated world written as the game saves a new world, a new
// character's file written as character creation does, and any save file read back with a report
// of what it holds. Each reports on `out` and explains a failure on `err`.

#include <cstdint>
#include <cstdio>
#include <string>

#include "saves/store/safe_write.h"

class WorldMap;

namespace world_tool {

struct GeneratedWorld;
struct ToolArgs;

// The world file of a new world named after the file (the local player at the spawn cell).
bool saveGeneratedWorld(const std::string& path, const GeneratedWorld& world, std::FILE* out, std::FILE* err);
int runCharacter(const ToolArgs& args, std::FILE* out, std::FILE* err);
// Reads a world, adventure or character file; 1 with the reason when it is damaged.
int runLoad(const ToolArgs& args, std::FILE* out, std::FILE* err);
// Writes the file through the game's safe writing (a temporary file, the old one kept as backup,
// then one rename), so an interrupted write never empties a file that was there.
bool writeFileSafely(const std::string& path, const SaveFileWriter& writer);
// The whole file; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes);
// The file's bytes written to `target` through the game's safe writing.
bool copyFileSafely(const std::string& from, const std::string& target);
// FNV-1a over the cells' packed records in map order, as a loaded and a saved world compare.
uint64_t cellsChecksum(const WorldMap& map);

}  // namespace world_tool
