#pragma once
// A world or character file that cannot be read, as the start view's damage dialog shows it: the
// file, what is wrong with it, and whether its backup reads back whole and may be put back.
//
// Main thread only.

#include <cstdint>
#include <string>

class LocalSaves;

struct DamagedSave {
  enum class Kind : uint8_t { World, Character };
  Kind kind = Kind::World;
  std::string fileName;  // in its folder, as the lists name it
  std::string path;
  std::string reason;    // what is wrong, "" for a file that now reads back whole
  bool backupWhole = false;

  const char* kindName() const { return kind == Kind::World ? "world" : "character"; }
};

// The file examined now, with its backup.
DamagedSave examineSave(LocalSaves& saves, DamagedSave::Kind kind, const std::string& fileName);
// Puts the backup back, the damaged file kept aside; what happened, in a line for the status.
std::string restoreDamagedSave(LocalSaves& saves, const DamagedSave& save);
