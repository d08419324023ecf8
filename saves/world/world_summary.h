#pragma once
// The head of a world file that the world list needs: the info record of section 1 (224 bytes:
// save id, time, build, the 32-byte name, map size, player cells, world parameters), read from a
// world ("RBWM" version 1) or adventure ("RBWM" version 2) file, and the name rewritten in place
// when a world is renamed. The rest of the world file is the world reader's. Game thread, or any
// thread with its own handle.

#include <memory>
#include <string>

namespace kel {
class FileHandle;
}
struct WorldEntry;

// None when the handle is closed or the file is not a world or adventure file. A file whose info
// record is missing gives the record's defaults.
std::unique_ptr<WorldEntry> readWorldSummary(const std::string& fileName, kel::FileHandle& file);

// Writes the name (cut to 32 bytes, NUL-padded) into the info record of the file open for
// reading and writing. False when it is not a world file with an info record, or the write fails.
bool rewriteWorldName(kel::FileHandle& file, const std::string& name);
