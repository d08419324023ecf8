#pragma once
// The saved worlds in the worlds folder: the list the menus show (latest first), the current
// world, naming new worlds, renaming, deleting and restoring backups. A world is <name>.dat with
// <name>.bak beside it; an adventure also has the folder <name>/ of planet worlds. The store never
// writes over or deletes a file that is not one of its listed worlds'. Game thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "saves/store/world_entry.h"

namespace kel {
class FileSystemBridge;
}

class WorldStore {
 public:
  WorldStore(kel::FileSystemBridge& files, std::string folder);

  const std::string& folder() const { return folder_; }
  std::string pathOf(const std::string& fileName) const;
  const std::vector<std::unique_ptr<WorldEntry>>& entries() const { return entries_; }
  WorldEntry* current() const { return current_; }
  void setCurrent(WorldEntry* entry) { current_ = entry; }

  // Rebuilds the list from the folder's world files, latest first; the latest becomes current.
  // A file whose head does not read as a world's is not listed but named in `damaged`.
  void list();
  // The file names of the last listing that are not worlds' files any more, in folder order.
  const std::vector<std::string>& damaged() const { return damaged_; }
  // Names a new world World<n>.dat (Adventure<n>.dat for an adventure) with the first n whose
  // file does not exist, puts it first and makes it current.
  WorldEntry& createEntry(const WorldParams& params, int64_t now);
  // Renames the world's file (and backup and adventure folder) to <newName>.dat and writes the
  // name into the file. False when the name cannot be a file name, another world has it, a file of
  // that name exists already, or a step fails (the steps done stay done).
  bool rename(WorldEntry& entry, const std::string& newName);
  // Deletes the world's file (and adventure folder); its backup stays so the world can be
  // restored. False when a delete failed; the entry goes either way.
  bool remove(WorldEntry& entry);
  void removeAll();
  // Puts <worldName>.bak back as <worldName>.dat, and each planet backup of an adventure folder
  // back as its planet world, each replaced file kept aside (saves/store/backup_restore.h). False
  // when there is no backup or a step fails. `keptAside` receives where the world's own file went.
  bool restoreBackup(const std::string& worldName, std::string* keptAside = nullptr);

 private:

  kel::FileSystemBridge& files_;
  std::string folder_;
  std::vector<std::unique_ptr<WorldEntry>> entries_;
  std::vector<std::string> damaged_;
  WorldEntry* current_ = nullptr;
};
