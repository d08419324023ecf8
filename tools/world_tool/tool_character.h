#pragma once
// The character a tool's game is played with, made current in the store of its save folder: the
// --character file copied into the store under its own name, else the store's character of the
// given name, else a new character of that name. False (the reason on `err`) when none can be
// made current.

#include <cstdio>
#include <string>

class LocalSaves;

namespace kel {
class FileSystemBridge;
}

namespace world_tool {

bool makeCharacterCurrent(LocalSaves& saves, kel::FileSystemBridge& files, const std::string& characterPath,
                          const std::string& name, std::FILE* err);
// The character's name in the store: the --character file's name without its folder and
// extension, else `fallback`.
std::string characterName(const std::string& characterPath, const std::string& fallback);

}  // namespace world_tool
